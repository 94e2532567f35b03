#!/usr/bin/env python3
"""Static checks of the shipped binaries: machine, subsystem, the Windows
version they claim, every function they import, and the frozen link between
QovDesktop.exe and QOV32.dll (exports by name at fixed ordinals; the program
imports 9 and 10 by ordinal).
    check_binaries.py OBJDUMP x86|x86_64 ALLOWED PROGRAM LIBRARY CONTROLLER HOOKHOST
ALLOWED (xp-imports.txt) lists what the oldest Windows each target runs on
provides: XP SP3 for i686 (5.1), XP x64 / Server 2003 for x86_64 (5.2).
"""
import re
import subprocess
import sys

# The export table QOV32.dll must have; 1 and 8 stay free.
QOV32_EXPORTS = {2: "GetMsgProc", 3: "MouseProc", 4: "SetHookMessage", 5: "UnSetHookMessage",
                 6: "SetHookMouse", 7: "UnSetHookMouse", 9: "SetHookDesktop",
                 10: "UnSetHookDesktop"}
# The hook library is loaded into every process on the desktop, so it pulls in
# no DLL beyond these few.
LIBRARY_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}

objdump, processor, allowed_file, program, library, controller, hookhost = sys.argv[1:]
target, pe_format, version = {"x86": ("i686", "pei-i386", "5.1"),
                              "x86_64": ("x86_64", "pei-x86-64", "5.2")}[processor]


def fail(file, what):
    sys.exit(f"{file}: {what}")


def allow_list():
    """The (dll, function) pairs that ALLOWED grants this target."""
    allowed = set()
    with open(allowed_file) as lines:
        for line in lines:
            if line.strip() and not line.startswith("#"):
                dll, *names = line.split()
                dll, _, only = dll.partition("@")
                if only in ("", target):
                    allowed.update((dll, name) for name in names)
    return allowed


def read_pe(file):
    """Checks what every binary must be; returns its headers and sections and
    its imports as {dll: [(thunk, name)]} (name "<none>" for an ordinal)."""
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
    # By ordinal only from our own library (checked below); a system DLL's
    # ordinals differ between versions of Windows.
    missing = [f"{dll} {name}" for dll, entries in imports.items() for _, name in entries
               if (dll, name) not in ALLOWED and (dll, name) != ("qov32.dll", "<none>")]
    if missing:
        fail(file, f"imports functions that are not on {allowed_file}:\n  " + "\n  ".join(missing))
    return headers, imports


def check_program(file):
    _, imports = read_pe(file)
    if "qov32.dll" not in imports:
        fail(file, "does not import QOV32.dll")
    # An ordinal import is a thunk with the top bit set and no name.
    ordinals = []
    for thunk, name in imports["qov32.dll"]:
        if not thunk.startswith("8") or name != "<none>":
            fail(file, f"imports from QOV32.dll by name: {name}")
        ordinals.append(int(thunk[1:], 16))
    if ordinals != [9, 10]:
        fail(file, f"imports QOV32.dll ordinals {ordinals}, not 9 and 10")


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


def check_library(file):
    headers, imports = read_pe(file)
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


ALLOWED = allow_list()
check_program(program)
check_library(library)
read_pe(controller)
read_pe(hookhost)
check_manifest(program)
check_manifest(controller)
