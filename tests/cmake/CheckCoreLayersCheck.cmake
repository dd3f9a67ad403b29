# Runs the layer check of core over small made-up trees: a sound one passes, and each
# kind of include that breaks the layers is refused with the file that holds it named.
# Run by CTest: cmake -DCHECK=<CheckCoreLayers.cmake> -DWORK=<scratch folder> -P CheckCoreLayersCheck.cmake

set(failures "")

# A tree every case starts from: includes down the layers, within a folder, of the
# standard library and of platform.
function(write_sound_tree core)
  file(REMOVE_RECURSE "${core}")
  file(WRITE "${core}/sqlite/Rows.h" "#pragma once\n#include <string>\n")
  file(WRITE "${core}/store/Records.h" "#pragma once\n#include \"core/sqlite/Rows.h\"\n")
  file(WRITE "${core}/store/Records.cpp"
       "#include \"core/store/Records.h\"\n#include \"platform/FileSystem.h\"\n#include <vector>\n")
  file(WRITE "${core}/print/Sheet.cpp" "#include \"core/payroll/Totals.h\"\n#include \"core/store/Records.h\"\n")
  file(WRITE "${core}/payroll/Totals.h" "#pragma once\n  #  include \"core/store/Records.h\"\n")
endfunction()

function(run_check core)
  execute_process(COMMAND ${CMAKE_COMMAND} -DCORE=${core} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(result "${result}" PARENT_SCOPE)
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

set(core "${WORK}/sound/core")
write_sound_tree("${core}")
run_check("${core}")
if(NOT result EQUAL 0)
  list(APPEND failures "a sound tree was refused:\n${output}")
endif()

# name: the case; file and text: the one file added to a sound tree; expected: what the
# refusal must name.
macro(expect_refused name file text expected)
  set(core "${WORK}/${name}/core")
  write_sound_tree("${core}")
  file(WRITE "${core}/${file}" "${text}")
  run_check("${core}")
  if(result EQUAL 0)
    list(APPEND failures "${name}: core/${file} was let through")
  elseif(NOT output MATCHES "${expected}")
    list(APPEND failures "${name}: the refusal does not name ${expected}:\n${output}")
  endif()
endmacro()

expect_refused(upward store/Holder.cpp "#include \"core/print/Report.h\"\n" "core/store/Holder.cpp")
expect_refused(upward-in-a-header foundation/Session.h "#include \"core/payroll/Totals.h\"\n"
               "core/foundation/Session.h")
expect_refused(across print/Run.cpp "#include \"core/efile/EFile.h\"\n" "core/print/Run.cpp")
expect_refused(qt foundation/Text.cpp "#include <QString>\n" "core/foundation/Text.cpp")
expect_refused(window store/Ask.cpp "#include \"ui/support/MessageBox.h\"\n" "core/store/Ask.cpp")
expect_refused(relative store/Near.cpp "#include \"../print/Report.h\"\n" "core/store/Near.cpp")
expect_refused(unknown-folder misc/Loose.cpp "#include \"core/sqlite/Rows.h\"\n" "core/misc")

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
