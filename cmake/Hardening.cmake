# The protections Debian builds its packages with: stack protector, stack
# clash protection, control-flow protection where the processor has it,
# fortified libc calls, position-independent executables and a read-only,
# eagerly bound relocation table. Only the optimised builds get them:
# _FORTIFY_SOURCE needs optimisation, and the sanitizer and fuzz builds bring
# checks of their own that these would get in the way of.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

function(wexlan_harden_optimised_builds)
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  add_compile_options(
    "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "WEXLAN_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      add_compile_options("$<${optimised}:${flag}>")
    endif()
  endforeach()
  add_link_options("$<${optimised}:LINKER:-z,relro,-z,now>")
  # CMake links an executable with -pie when it is position independent and
  # the toolchain can.
  check_pie_supported(OUTPUT_VARIABLE pie_note LANGUAGES CXX)
  if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)
  else()
    message(WARNING "No position-independent executables: ${pie_note}")
  endif()
endfunction()
