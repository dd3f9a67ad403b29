# The software maker's data that every FIRE transmitter record carries (its vendor
# block). A release sets it at configure time, for example
#   cmake --preset default -DTALVEXA_VENDOR_NAME="ACME TAX SOFTWARE" -DTALVEXA_VENDOR_ZIP=100010001 ...
# A build that does not set it files placeholder maker data.
#
# The record keeps only A-Z, 0-9, the blank, "-" and "&" of these fields, upper case,
# each within its width: a value outside that would be filed changed or cut, so the
# configure refuses it. The checked values go into core/efile/FireVendorValues.h under
# the binary folder's "generated" folder.

set(TALVEXA_VENDOR_NAME "TALVEXA SOFTWARE" CACHE STRING "FIRE vendor name (40)")
set(TALVEXA_VENDOR_ADDRESS "VENDOR ADDRESS" CACHE STRING "FIRE vendor mailing address (40)")
set(TALVEXA_VENDOR_CITY "VENDOR CITY" CACHE STRING "FIRE vendor city (40)")
set(TALVEXA_VENDOR_STATE "NY" CACHE STRING "FIRE vendor state, two-letter postal code")
set(TALVEXA_VENDOR_ZIP "000000000" CACHE STRING "FIRE vendor ZIP code (9)")
set(TALVEXA_VENDOR_CONTACT "VENDOR CONTACT" CACHE STRING "FIRE vendor contact name (40)")
set(TALVEXA_VENDOR_PHONE "0000000000" CACHE STRING "FIRE vendor contact telephone and extension (15)")

function(talvexa_check_vendor_field variable minimum maximum)
  set(value "${${variable}}")
  if(NOT value MATCHES "^[A-Z0-9 &-]*$")
    message(FATAL_ERROR "${variable} \"${value}\": the FIRE record allows only the letters A-Z (upper case), "
                        "the digits 0-9, the blank, \"-\" and \"&\".")
  endif()
  string(LENGTH "${value}" length)
  if(length LESS minimum OR length GREATER maximum)
    message(FATAL_ERROR "${variable} \"${value}\": must be ${minimum} to ${maximum} characters long.")
  endif()
endfunction()

# Beyond the characters: a ZIP code of 5 or 9 digits, a state that is a US postal
# code, and a phone number (with its extension) of digits only.
function(talvexa_check_vendor_form variable pattern what)
  if(NOT "${${variable}}" MATCHES "${pattern}")
    message(FATAL_ERROR "${variable} \"${${variable}}\": must be ${what}.")
  endif()
endfunction()

set(TALVEXA_US_POSTAL_CODES
    AL AK AZ AR CA CO CT DE DC FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM NY NC ND
    OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY AS FM GU MH MP PW PR VI AA AE AP)

talvexa_check_vendor_field(TALVEXA_VENDOR_NAME 1 40)
talvexa_check_vendor_field(TALVEXA_VENDOR_ADDRESS 1 40)
talvexa_check_vendor_field(TALVEXA_VENDOR_CITY 1 40)
talvexa_check_vendor_field(TALVEXA_VENDOR_STATE 2 2)
talvexa_check_vendor_field(TALVEXA_VENDOR_ZIP 1 9)
talvexa_check_vendor_field(TALVEXA_VENDOR_CONTACT 1 40)
talvexa_check_vendor_field(TALVEXA_VENDOR_PHONE 1 15)
talvexa_check_vendor_form(TALVEXA_VENDOR_ZIP "^[0-9][0-9][0-9][0-9][0-9]([0-9][0-9][0-9][0-9])?$"
                          "5 or 9 digits")
talvexa_check_vendor_form(TALVEXA_VENDOR_PHONE "^[0-9]+$" "digits only (the extension follows the number)")
if(NOT TALVEXA_VENDOR_STATE IN_LIST TALVEXA_US_POSTAL_CODES)
  message(FATAL_ERROR "TALVEXA_VENDOR_STATE \"${TALVEXA_VENDOR_STATE}\": must be a US postal state code "
                      "(for example NY).")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/../src/core/efile/FireVendorValues.h.in
               ${CMAKE_BINARY_DIR}/generated/core/efile/FireVendorValues.h @ONLY)
