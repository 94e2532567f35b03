# Static checks of the shipped binaries: machine, subsystem, the Windows
# version they claim, every function they import, and the frozen link between
# QovDesktop.exe and QOV32.dll (exports by name at fixed ordinals; the program
# imports 9 and 10 by ordinal).
#   cmake -DOBJDUMP=... -DPROGRAM=... -DLIBRARY=... -DCONTROLLER=...
#         -DPROCESSOR=x86|x86_64 -DALLOWED=xp-imports-<target>.txt -P check_binaries.cmake
# ALLOWED lists, as "dll function", every function the oldest Windows the
# target runs on provides: XP SP3 for i686 (5.1), XP x64 / Server 2003 for
# x86_64 (5.2).  A function that is not there keeps the loader from starting
# the program at all, so each import is held against that list.

cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)

# The export table QOV32.dll must have, as "ordinal=name".
set(QOV32_EXPORTS 2=GetMsgProc 3=MouseProc 4=SetHookMessage 5=UnSetHookMessage
                  6=SetHookMouse 7=UnSetHookMouse 9=SetHookDesktop 10=UnSetHookDesktop)

function(fail file what)
  message(FATAL_ERROR "${file}: ${what}")
endfunction()

# Reads `objdump -p` into `headers` and checks the machine.
function(read_pe file headers_var)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fail(${file} "objdump failed")
  endif()
  if(PROCESSOR STREQUAL "x86")
    set(format "pei-i386")
  else()
    set(format "pei-x86-64")
  endif()
  if(NOT headers MATCHES "file format ${format}")
    fail(${file} "not ${format}")
  endif()
  if(NOT headers MATCHES "Subsystem[ \t]+00000002")
    fail(${file} "not for the Windows GUI subsystem")
  endif()
  if(PROCESSOR STREQUAL "x86")
    set(version 5.1)
  else()
    set(version 5.2)
  endif()
  foreach(kind OSystem Subsystem)
    string(REGEX MATCH "Major${kind}Version[ \t]+([0-9]+)\nMinor${kind}Version[ \t]+([0-9]+)" _ "${headers}")
    if(NOT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}" STREQUAL version)
      fail(${file} "${kind} version '${CMAKE_MATCH_1}.${CMAKE_MATCH_2}', not ${version}")
    endif()
  endforeach()
  check_functions(${file} "${headers}")
  set(${headers_var} "${headers}" PARENT_SCOPE)
endfunction()

# The DLLs a binary imports, lower case, each checked against `allowed`.
function(check_imports file headers allowed)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  set(dlls "")
  foreach(import ${imports})
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll MATCHES "^(${allowed})\\.dll$")
      fail(${file} "imports ${dll}")
    endif()
    list(APPEND dlls ${dll})
  endforeach()
  file(SIZE ${file} size)
  message(STATUS "${file}: ${size} bytes, imports ${dlls}")
endfunction()

# The lines of one DLL's import block in `objdump -p` output.
function(import_block headers dll block_var)
  string(FIND "${headers}" "DLL Name: ${dll}\n" at)
  if(at EQUAL -1)
    set(${block_var} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${headers}" ${at} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  string(SUBSTRING "${rest}" 0 ${end} block)
  set(${block_var} "${block}" PARENT_SCOPE)
endfunction()

# Every function imported by name is on the allow-list of its DLL.
function(check_functions file headers)
  file(STRINGS ${ALLOWED} allowed REGEX "^[a-z0-9_]+\\.dll [^ ]+$")
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  set(missing "")
  foreach(import ${imports})
    string(REPLACE "DLL Name: " "" dll "${import}")
    import_block("${headers}" "${dll}" block)
    string(TOLOWER "${dll}" dll)
    string(REGEX MATCHALL "\n\t[0-9a-f]+\t *[0-9]+ +[^\n]+" entries "${block}")
    foreach(entry ${entries})
      string(REGEX REPLACE "^\n\t[0-9a-f]+\t *[0-9]+ +" "" name "${entry}")
      # By ordinal only from our own library (checked below); a system DLL's
      # ordinals differ between versions of Windows.
      if(name STREQUAL "<none>" AND dll STREQUAL "qov32.dll")
        continue()
      endif()
      if(NOT "${dll} ${name}" IN_LIST allowed)
        list(APPEND missing "${dll} ${name}")
      endif()
    endforeach()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " missing)
    fail(${file} "imports functions that are not on ${ALLOWED}:\n  ${missing}")
  endif()
endfunction()

function(check_program file)
  read_pe(${file} headers)
  # Only system DLLs and the hook library: the MinGW runtime is linked in.
  check_imports(${file} "${headers}"
    "kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|msvcrt|qov32")
  import_block("${headers}" "QOV32.dll" block)
  if(block STREQUAL "")
    fail(${file} "does not import QOV32.dll")
  endif()
  # An ordinal import is a thunk with the top bit set; a by-name import would
  # show its name instead of <none>.
  string(REGEX MATCHALL "\n\t[0-9a-f]+\t[^\n]*" entries "${block}")
  set(ordinals "")
  foreach(entry ${entries})
    if(NOT entry MATCHES "^\n\t8(0+)([0-9a-f]+)\t[ 0-9a-f]+<none>$")
      fail(${file} "imports from QOV32.dll by name: ${entry}")
    endif()
    math(EXPR ordinal "0x${CMAKE_MATCH_2}")
    list(APPEND ordinals ${ordinal})
  endforeach()
  if(NOT ordinals STREQUAL "9;10")
    fail(${file} "imports QOV32.dll ordinals '${ordinals}', not 9 and 10")
  endif()
endfunction()

function(check_library file)
  read_pe(${file} headers)
  check_imports(${file} "${headers}" "kernel32|user32|advapi32|msvcrt")
  if(NOT headers MATCHES "Ordinal Base ([0-9]+)")
    fail(${file} "has no export table")
  endif()
  set(base ${CMAKE_MATCH_1})
  # Every ordinal with an address, and the name of each named one.
  string(REGEX MATCHALL "\\+base\\[ *[0-9]+\\]" addressed "${headers}")
  set(ordinals "")
  foreach(item ${addressed})
    string(REGEX REPLACE "[^0-9]" "" ordinal "${item}")
    list(APPEND ordinals ${ordinal})
  endforeach()
  string(FIND "${headers}" "[Ordinal/Name Pointer] Table" at)
  string(SUBSTRING "${headers}" ${at} -1 names)
  string(FIND "${names}" "\n\n" end)
  string(SUBSTRING "${names}" 0 ${end} names)
  string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" named "${names}")
  set(exports "")
  foreach(item ${named})
    string(REGEX MATCH "\\[ *([0-9]+)\\] (.+)$" _ "${item}")
    math(EXPR ordinal "${CMAKE_MATCH_1} + ${base}")
    list(APPEND exports "${ordinal}=${CMAKE_MATCH_2}")
  endforeach()
  list(SORT exports COMPARE NATURAL)
  list(SORT ordinals COMPARE NATURAL)
  set(expected ${QOV32_EXPORTS})
  list(SORT expected COMPARE NATURAL)
  if(NOT exports STREQUAL expected)
    fail(${file} "exports '${exports}', expected '${expected}'")
  endif()
  # Nothing without a name either: 1 and 8 stay free.
  if(NOT ordinals STREQUAL "2;3;4;5;6;7;9;10")
    fail(${file} "has addresses at ordinals '${ordinals}'")
  endif()

  # The state block's section exists and is per process, not shared.
  execute_process(COMMAND ${OBJDUMP} -h ${file} OUTPUT_VARIABLE sections)
  if(NOT sections MATCHES "\\.shared[^\n]*\n([^\n]*)")
    fail(${file} "has no .shared section")
  endif()
  if(CMAKE_MATCH_1 MATCHES "SHARED")
    fail(${file} "marks .shared as shared between processes")
  endif()
  message(STATUS "${file}: exports ${exports}")
endfunction()

check_program(${PROGRAM})
check_library(${LIBRARY})
read_pe(${CONTROLLER} headers)
check_imports(${CONTROLLER} "${headers}"
  "kernel32|user32|gdi32|advapi32|shell32|comctl32|ole32|msvcrt|qov32")
