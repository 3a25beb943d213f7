# Read by cpack before it builds a package. Without dpkg-shlibdeps CPack would
# quietly make a .deb that names none of the libraries the programs need, so a
# missing tool stops the build instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(WEXLAN_SHLIBDEPS dpkg-shlibdeps)
  find_program(WEXLAN_FILE file)
  if(NOT WEXLAN_SHLIBDEPS OR NOT WEXLAN_FILE)
    message(FATAL_ERROR
      "The Debian package needs dpkg-shlibdeps and file: apt-get install dpkg-dev file")
  endif()
endif()
