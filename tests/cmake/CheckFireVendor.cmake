# Configures tests/cmake/vendor with maker data the FIRE record cannot carry and checks
# that each configure fails naming the variable; then with the placeholders and with
# good values, checking that those configure and reach the generated header.
# Run by CTest: cmake -DGENERATOR=... -DPROJECT=... -DWORK=... -P CheckFireVendor.cmake

set(failures "")

# Configures in a fresh folder with the given -D arguments; sets ok and output.
function(configure name)
  set(dir "${WORK}/${name}")
  file(REMOVE_RECURSE "${dir}")
  execute_process(COMMAND ${CMAKE_COMMAND} -G "${GENERATOR}" -S "${PROJECT}" -B "${dir}" ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(result EQUAL 0)
    set(ok TRUE PARENT_SCOPE)
  else()
    set(ok FALSE PARENT_SCOPE)
  endif()
  set(output "${out}${err}" PARENT_SCOPE)
  set(header "${dir}/generated/core/efile/FireVendorValues.h" PARENT_SCOPE)
endfunction()

macro(expect_refused name variable)
  configure(${name} ${ARGN})
  if(ok)
    list(APPEND failures "${name}: the configure with ${ARGN} succeeded")
  elseif(NOT output MATCHES "${variable}")
    list(APPEND failures "${name}: the refusal does not name ${variable}:\n${output}")
  endif()
endmacro()

expect_refused(accent TALVEXA_VENDOR_CITY "-DTALVEXA_VENDOR_CITY=MONTRÉAL")
expect_refused(lower-case TALVEXA_VENDOR_NAME "-DTALVEXA_VENDOR_NAME=Acme Software")
expect_refused(comma TALVEXA_VENDOR_NAME "-DTALVEXA_VENDOR_NAME=ACME, INC")
expect_refused(full-stop TALVEXA_VENDOR_ADDRESS "-DTALVEXA_VENDOR_ADDRESS=1 MAIN ST.")
expect_refused(parentheses TALVEXA_VENDOR_PHONE "-DTALVEXA_VENDOR_PHONE=(212) 5550100")
expect_refused(quote TALVEXA_VENDOR_CONTACT "-DTALVEXA_VENDOR_CONTACT=JO \"JOE\" SMITH")
expect_refused(too-long TALVEXA_VENDOR_ZIP "-DTALVEXA_VENDOR_ZIP=1234567890")
expect_refused(state-of-three TALVEXA_VENDOR_STATE "-DTALVEXA_VENDOR_STATE=NYC")
expect_refused(empty-name TALVEXA_VENDOR_NAME "-DTALVEXA_VENDOR_NAME=")
expect_refused(zip-letters TALVEXA_VENDOR_ZIP "-DTALVEXA_VENDOR_ZIP=ABC")
expect_refused(zip-of-six TALVEXA_VENDOR_ZIP "-DTALVEXA_VENDOR_ZIP=123456")
expect_refused(no-state TALVEXA_VENDOR_STATE "-DTALVEXA_VENDOR_STATE=ZZ")
expect_refused(phone-words TALVEXA_VENDOR_PHONE "-DTALVEXA_VENDOR_PHONE=CALL ME")
expect_refused(phone-dashes TALVEXA_VENDOR_PHONE "-DTALVEXA_VENDOR_PHONE=212-555-0100")

configure(placeholders)
if(NOT ok)
  list(APPEND failures "placeholders: the configure failed:\n${output}")
else()
  file(READ "${header}" text)
  if(NOT text MATCHES "kMailingAddress = \"VENDOR ADDRESS\"")
    list(APPEND failures "placeholders: the header lacks the placeholder address:\n${text}")
  endif()
endif()

configure(release "-DTALVEXA_VENDOR_NAME=SMITH & SONS-SOFTWARE" "-DTALVEXA_VENDOR_ZIP=100010001"
          "-DTALVEXA_VENDOR_STATE=NJ" "-DTALVEXA_VENDOR_PHONE=2125550100123")
if(NOT ok)
  list(APPEND failures "release: the configure failed:\n${output}")
else()
  file(READ "${header}" text)
  foreach(expected "kName = \"SMITH & SONS-SOFTWARE\"" "kZip = \"100010001\"" "kState = \"NJ\""
                   "\"2125550100123\"")
    string(FIND "${text}" "${expected}" at)
    if(at LESS 0)
      list(APPEND failures "release: the header lacks ${expected}:\n${text}")
    endif()
  endforeach()
endif()

if(failures)
  string(REPLACE ";" "\n" report "${failures}")
  message(FATAL_ERROR "${report}")
endif()
message(STATUS "The maker data's configure check refused every bad value and kept the good ones.")
