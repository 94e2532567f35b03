#!/usr/bin/env python3
"""Static checks of the shipped binaries: machine, subsystem, the Windows
version they claim, every function they import, and the frozen link between
the programs and the hook library (exports by name at fixed ordinals;
QovDesktop.exe imports 9 and 10 by ordinal).
    check_binaries.py OBJDUMP x86|x86_64 ALLOWED PROGRAM LIBRARY CONTROLLER HOOKHOST HOSTLIBRARY
ALLOWED (xp-imports.txt) lists what the oldest Windows each target runs on
provides: XP SP3 for i686 (5.1), XP x64 / Server 2003 for x86_64 (5.2).
LIBRARY (QOV32.dll) is the hook library that the program and the controller
import; HOSTLIBRARY the same library under the name the hook host imports,
which differs: the 64-bit package carries it in 32 bits beside the 64-bit
one, and SetWindowsHookEx wants the two under different names.
    check_binaries.py package OBJDUMP x86|x86_64 ALLOWED ZIP LIBRARY HOSTLIBRARY
checks a release package (exit 77 when ZIP is missing): every program in it
finds the hook library it imports in its own folder, and the 64-bit package
carries the 32-bit host in "x86" with the library under the host's name.
"""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# The export table QOV32.dll must have; 1 and 8 stay free.
QOV32_EXPORTS = {2: "GetMsgProc", 3: "MouseProc", 4: "SetHookMessage", 5: "UnSetHookMessage",
                 6: "SetHookMouse", 7: "UnSetHookMouse", 9: "SetHookDesktop",
                 10: "UnSetHookDesktop"}
# The hook library is loaded into every process on the desktop, so it pulls in
# no DLL beyond these few.
LIBRARY_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}

# Per target: the GNU name the allow-list uses, the PE format, the Windows
# version the headers must claim.
TARGETS = {"x86": ("i686", "pei-i386", "5.1"), "x86_64": ("x86_64", "pei-x86-64", "5.2")}


def fail(file, what):
    sys.exit(f"{file}: {what}")


def allow_list(target):
    """The (dll, function) pairs that ALLOWED grants a target."""
    allowed = set()
    with open(allowed_file) as lines:
        for line in lines:
            if line.strip() and not line.startswith("#"):
                dll, *names = line.split()
                dll, _, only = dll.partition("@")
                if only in ("", target):
                    allowed.update((dll, name) for name in names)
    return allowed


def read_pe(file, machine=None):
    """Checks what every binary of `machine` (the one checked, unless told)
    must be; returns its headers and sections and its imports as
    {dll: [(thunk, name)]} (name "<none>" for an ordinal)."""
    target, pe_format, version = TARGETS[machine or processor]
    dump = subprocess.run([objdump, "-p", "-h", file], capture_output=True, text=True)
    if dump.returncode != 0:
        fail(file, f"objdump failed: {dump.stderr.strip()}")
    headers = dump.stdout
    if f"file format {pe_format}" not in headers:
        fail(file, f"not {pe_format}")
    if not re.search(r"^Subsystem\s+00000002", headers, re.M):
        fail(file, "not for the Windows GUI subsystem")
    for kind in ("OSystem", "Subsystem"):
        found = re.search(rf"Major{kind}Version\s+(\d+)\nMinor{kind}Version\s+(\d+)", headers)
        found = "%s.%s" % found.groups() if found else "none"
        if found != version:
            fail(file, f"{kind} version '{found}', not {version}")
    imports = {}
    for dll, block in re.findall(r"DLL Name: (\S+)\n.*\n((?:\t[0-9a-f]+\t.*\n)*)", headers):
        imports[dll.lower()] = re.findall(r"^\t([0-9a-f]+)\t *[0-9a-f]+ +(\S+)$", block, re.M)
    # By ordinal only from our own libraries (checked below); a system DLL's
    # ordinals differ between versions of Windows.
    allowed = allow_list(target)
    missing = [f"{dll} {name}" for dll, entries in imports.items() for _, name in entries
               if (dll, name) not in allowed and not (dll in OWN and name == "<none>")]
    if missing:
        fail(file, f"imports functions that are not on {allowed_file}:\n  " + "\n  ".join(missing))
    return headers, imports


def own_imports(file, imports):
    """The hook libraries a program imports, each with its ordinals."""
    found = {}
    for dll in imports.keys() & OWN:
        # An ordinal import is a thunk with the top bit set and no name.
        for thunk, name in imports[dll]:
            if not thunk.startswith("8") or name != "<none>":
                fail(file, f"imports from {dll} by name: {name}")
        found[dll] = [int(thunk[1:], 16) for thunk, _ in imports[dll]]
    return found


def check_user(file, dll, ordinals=None, machine=None):
    """A program that imports the hook library `dll`, and no other of ours."""
    found = own_imports(file, read_pe(file, machine)[1])
    if list(found) != [dll.lower()]:
        fail(file, f"imports {', '.join(sorted(found)) or 'no hook library'}, not exactly {dll}")
    if ordinals and found[dll.lower()] != ordinals:
        fail(file, f"imports {dll} ordinals {found[dll.lower()]}, not {ordinals}")


def check_manifest(file):
    # The manifest resource is stored as its own UTF-8 text.
    with open(file, "rb") as f:
        found = re.search(rb"<assembly .*?</assembly>", f.read(), re.S)
    text = found[0].decode("utf-8", "replace") if found else ""
    for what, pattern in [("no manifest", r"<assembly "),
                          ("no per-monitor (v2) DPI awareness",
                           r"<dpiAwareness[^>]*>\s*PerMonitorV2\s*,\s*PerMonitor\s*</dpiAwareness>"),
                          ("no DPI awareness for Vista to 8.1", r"<dpiAware[^>]*>\s*true/pm\s*</dpiAware>"),
                          ("no common controls 6", r'name="Microsoft\.Windows\.Common-Controls" '
                                                   r'version="6\.0\.0\.0"')]:
        if not re.search(pattern, text, re.I):
            fail(file, f"has {what} in its manifest")


def listed(exports):
    return " ".join(f"{ordinal}={name}" for ordinal, name in sorted(exports.items()))


def check_library(file, machine=None):
    headers, imports = read_pe(file, machine)
    others = sorted(imports.keys() - LIBRARY_DLLS)
    if others:
        fail(file, f"imports {', '.join(others)}")
    base = re.search(r"Ordinal Base (\d+)", headers)
    if not base:
        fail(file, "has no export table")
    names = headers.partition("[Ordinal/Name Pointer] Table\n")[2].split("\n\n")[0]
    exports = {int(index) + int(base[1]): name
               for index, name in re.findall(r"^\t\[ *(\d+)\] (\S+)$", names, re.M)}
    if exports != QOV32_EXPORTS:
        fail(file, f"exports {listed(exports)}, expected {listed(QOV32_EXPORTS)}")
    # Nothing without a name either.
    addressed = sorted(int(ordinal) for ordinal in re.findall(r"\+base\[ *(\d+)\]", headers))
    if addressed != sorted(QOV32_EXPORTS):
        fail(file, f"has addresses at ordinals {addressed}")
    # The state block's section exists and is per process, not shared.
    shared = re.search(r"\.shared .*\n(.*)", headers)
    if not shared:
        fail(file, "has no .shared section")
    if "SHARED" in shared[1]:
        fail(file, "marks .shared as shared between processes")


def check_package(zip_path, library, hosted_library):
    """The package holds the programs with the hook library they import
    beside them: the 64-bit one also the 32-bit host in "x86", with the
    library under the host's name."""
    if not os.path.exists(zip_path):
        print(f"{zip_path}: not made; scripts/package makes it")
        sys.exit(77)
    with zipfile.ZipFile(zip_path) as archive, tempfile.TemporaryDirectory() as folder:
        names = set(archive.namelist())
        want = {"QovDesktop.exe", library, "QovMouse.exe", "README.TXT", "README-JA.TXT"}
        if processor == "x86_64":
            want |= {"x86/QovHookHost.exe", f"x86/{hosted_library}"}
        if names != want:
            fail(zip_path, f"holds {sorted(names)}, not {sorted(want)}")
        archive.extractall(folder)
        for name, machine, user_of, ordinals in [
                ("QovDesktop.exe", processor, library, [9, 10]),
                ("QovMouse.exe", processor, library, None),
                ("x86/QovHookHost.exe", "x86", hosted_library, None)]:
            if name in names:
                check_user(os.path.join(folder, name), user_of, ordinals, machine)
        check_library(os.path.join(folder, library))
        if processor == "x86_64":
            check_library(os.path.join(folder, "x86", hosted_library), "x86")


if sys.argv[1] == "package":
    objdump, processor, allowed_file, zip_path, library, hosted_library = sys.argv[2:]
else:
    (objdump, processor, allowed_file, program, library, controller, hookhost,
     hosted_library) = sys.argv[1:]
names = os.path.basename(library), os.path.basename(hosted_library)
# Two hook libraries of different bitness in one package: their names differ.
if names[0].lower() == names[1].lower():
    fail(hosted_library, f"has the name of {library}")
OWN = {name.lower() for name in names}

if sys.argv[1] == "package":
    check_package(zip_path, *names)
else:
    check_user(program, names[0], [9, 10])
    check_library(library)
    check_library(hosted_library)
    check_user(controller, names[0])
    check_user(hookhost, names[1])
    check_manifest(program)
    check_manifest(controller)
