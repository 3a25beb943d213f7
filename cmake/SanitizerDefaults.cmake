# The sanitizer runtime's options for every program this tree builds, set in
# one place: compiled into each executable, so that the test programs and the
# programs a test starts (wxl, wxl-render, wexlan) all run with them, from
# ctest or by hand. ASAN_OPTIONS and LSAN_OPTIONS still override them.

set(WEXLAN_LSAN_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/lsan.supp)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WEXLAN_LSAN_SUPPRESSIONS})
file(READ ${WEXLAN_LSAN_SUPPRESSIONS} WEXLAN_LSAN_SUPPRESSION_TEXT)
configure_file(${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp.in
               ${PROJECT_BINARY_DIR}/SanitizerDefaults.cpp @ONLY)

# Adds the defaults to every executable defined in dir and below it.
function(wexlan_add_sanitizer_defaults dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/SanitizerDefaults.cpp)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    wexlan_add_sanitizer_defaults(${subdir})
  endforeach()
endfunction()
