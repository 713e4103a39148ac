# Checks that the objects of the AVX forms share no code with the rest of the program. Each
# form's object may define one external symbol, its table of stage functions, and no external
# code: a weak or COMDAT copy of an inline function, or a global function, could be the copy
# the linker keeps for every caller, and a processor without that instruction set would then
# crash.
#
# cmake -DNM=<nm> -DOBJECTS=<object;...> -P FormSymbols.cmake
# OBJECTS lists the engine's objects; the AVX forms among them are found by their file names.
set(forms "PathAvx2=kAvx2FmaStages" "PathAvx512=kAvx512Stages")

set(failed FALSE)
foreach(form_entry ${forms})
  string(REPLACE "=" ";" pair "${form_entry}")
  list(GET pair 0 form)
  list(GET pair 1 table)
  set(object "")
  foreach(candidate ${OBJECTS})
    if(candidate MATCHES "/${form}\\.cpp\\.o(bj)?$")
      set(object "${candidate}")
    endif()
  endforeach()
  if(object STREQUAL "")
    message(SEND_ERROR "${form}: no object among the engine's objects")
    set(failed TRUE)
    continue()
  endif()
  # External symbols that the object defines, weak ones included.
  execute_process(COMMAND ${NM} --extern-only --defined-only --format=posix "${object}"
                  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${form}: ${NM} failed on ${object}")
    set(failed TRUE)
    continue()
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  set(shared "")
  foreach(line ${lines})
    string(REGEX REPLACE " .*" "" name "${line}")
    # Only code counts: weak data (constant tables, the sanitizers' type records) holds no
    # instruction a processor could lack.
    string(REGEX MATCH "^[^ ]+ ([A-Za-z])" kind "${line}")
    if(NOT name STREQUAL "" AND NOT name STREQUAL "${table}" AND CMAKE_MATCH_1 MATCHES "^[TWi]$")
      list(APPEND shared "${line}")
    endif()
  endforeach()
  if(shared)
    string(REPLACE ";" "\n  " shown "${shared}")
    message(SEND_ERROR "${form} defines symbols another object could share:\n  ${shown}\n"
                       "Give them internal linkage (anonymous namespace or a template over "
                       "the form's lane type), or keep the header out of the form's target region.")
    set(failed TRUE)
  else()
    message(STATUS "${form}: only ${table}")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "an AVX form shares code")
endif()
