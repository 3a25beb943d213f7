# The usage of wxl has one home, tools/wxl/usage.txt: wxl prints it, and the
# synopsis of the manual page is made from its command lines.
function(wexlan_configure_wxl_usage usage_file header_in header_out man_in man_out)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${usage_file} ${man_in})
  file(READ ${usage_file} WXL_USAGE)
  configure_file(${header_in} ${header_out} @ONLY)

  file(STRINGS ${usage_file} lines)
  set(WXL_SYNOPSIS "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^usage: " "" line "${line}")
    string(STRIP "${line}" line)
    # A command line is "wxl COMMAND ARGS", then two or more spaces and what
    # it does; the lines that go on describing one are not synopsis.
    if(NOT line MATCHES "^wxl ([a-z]+)(.*)$")
      continue()
    endif()
    set(command ${CMAKE_MATCH_1})
    string(REGEX REPLACE "   +.*$" "" arguments "${CMAKE_MATCH_2}")
    string(STRIP "${arguments}" arguments)
    string(REPLACE "-" "\\-" arguments "${arguments}")
    string(APPEND WXL_SYNOPSIS ".B wxl ${command}\n")
    if(arguments)
      string(APPEND WXL_SYNOPSIS "${arguments}\n")
    endif()
    string(APPEND WXL_SYNOPSIS ".br\n")
  endforeach()
  configure_file(${man_in} ${man_out} @ONLY)
endfunction()
