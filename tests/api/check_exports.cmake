# Checks that a deliverable exports exactly the engine's entry points.
# Usage: cmake -DLIB=<path> -DNM=<nm> -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIB} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()
set(expected PhraseTTSCtrl TTSFileClose_I TTSFileCtrl_I TTSFileGetLegalLen_I TTSFileGetWave_I
    TTSFileOpenSized_I TTSFileOpen_I TTSFileSetInspector_I TTSFileSetWordEvents_I)
string(REPLACE "\n" ";" lines "${out}")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]+ [TDBRW] (.+)$")
    set(name "${CMAKE_MATCH_1}")
    if(name MATCHES "@")  # versioned symbol of the version node itself
      continue()
    endif()
    list(APPEND found "${name}")
  endif()
endforeach()
list(SORT found)
if(NOT "${found}" STREQUAL "${expected}")
  message(FATAL_ERROR "exports of ${LIB}:\n  found    ${found}\n  expected ${expected}")
endif()
message(STATUS "exports of ${LIB} are exactly the entry points")
