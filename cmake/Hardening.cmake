# Release builds are the ones packaged: hardened as Debian hardens its own
# binaries (stack protector, fortified calls, format checks, read-only
# relocations), with immediate binding on top. ELF only: the Windows builds
# have their own linker.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()
add_compile_options("$<$<CONFIG:Release>:-fstack-protector-strong;-Wformat;-Werror=format-security>")
add_compile_definitions("$<$<CONFIG:Release>:_FORTIFY_SOURCE=2>")
add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro,-z,now>")
