# Install layout. Included last, once every target exists. Each install
# component is one Debian package of packaging/control, named alike, so
# scripts/package stages a package with `cmake --install --component NAME`.
# Rules that name no component go to qxbeta (see CMakeLists.txt).

file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/control qx_deb_packages REGEX "^Package: ")
list(TRANSFORM qx_deb_packages REPLACE "^Package: *" "")

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
find_program(RSVG_CONVERT_EXECUTABLE rsvg-convert REQUIRED)

# qx_gzip(SOURCE OUTPUT): the file compressed as Debian wants it, without a time stamp.
function(qx_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${source} > ${output}
    DEPENDS ${source})
  set_property(GLOBAL APPEND PROPERTY qx_generated_install_files ${output})
endfunction()

foreach(program qxbeta qxr)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT qxbeta)
  endif()
endforeach()

if(TARGET qxcompress)
  set(qx_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/qxcompress)
  # A shared library is mapped, not run: no execute bit.
  install(TARGETS qxcompress EXPORT qxcompressTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
                  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
                  COMPONENT libqxcompress5 NAMELINK_COMPONENT libqxcompress-dev
          PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT libqxcompress-dev)
  install(EXPORT qxcompressTargets NAMESPACE qxcompress:: DESTINATION ${qx_cmake_dir}
          COMPONENT libqxcompress-dev)
  include(CMakePackageConfigHelpers)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/qxcompressConfig.cmake.in
    ${CMAKE_BINARY_DIR}/packaging/qxcompressConfig.cmake
    INSTALL_DESTINATION ${qx_cmake_dir})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/qxcompressConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qxcompressConfig.cmake
                ${CMAKE_BINARY_DIR}/packaging/qxcompressConfigVersion.cmake
          DESTINATION ${qx_cmake_dir} COMPONENT libqxcompress-dev)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/qxcompress.pc.in
                 ${CMAKE_BINARY_DIR}/packaging/qxcompress.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qxcompress.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT libqxcompress-dev)
endif()

install(FILES packaging/qxbeta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT qxbeta)
# Testers copy this one to ~/.config/autostart to have QXBêta start with their session.
install(FILES packaging/qxbeta-autostart.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/qxbeta COMPONENT qxbeta)

# The icon: the drawing itself, and the bitmap sizes desktops look for first, rendered from it.
set(qx_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES packaging/qxbeta.svg DESTINATION ${qx_icon_dir}/scalable/apps COMPONENT qxbeta)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}/qxbeta.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT_EXECUTABLE} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/packaging/qxbeta.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/qxbeta.svg)
  set_property(GLOBAL APPEND PROPERTY qx_generated_install_files ${png})
  install(FILES ${png} DESTINATION ${qx_icon_dir}/${size}x${size}/apps COMPONENT qxbeta)
endforeach()

# Manual pages: packaging/man/NAME.SECTION, and packaging/man/LANG/NAME.SECTION
# for the other languages.
file(GLOB_RECURSE qx_man_pages RELATIVE ${PROJECT_SOURCE_DIR}/packaging/man CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/packaging/man/*.[1-9])
foreach(page IN LISTS qx_man_pages)
  get_filename_component(language ${page} DIRECTORY)
  string(REGEX MATCH "[1-9]$" section ${page})
  set(man_dir ${CMAKE_INSTALL_MANDIR})
  if(language)
    string(APPEND man_dir /${language})
  endif()
  set(gz ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz)
  get_filename_component(gz_dir ${gz} DIRECTORY)
  file(MAKE_DIRECTORY ${gz_dir})
  qx_gzip(${PROJECT_SOURCE_DIR}/packaging/man/${page} ${gz})
  install(FILES ${gz} DESTINATION ${man_dir}/man${section} COMPONENT qxbeta)
endforeach()

# Every package has its own copyright and changelog.
qx_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
foreach(package IN LISTS qx_deb_packages)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz packaging/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
endforeach()

get_property(qx_generated_install_files GLOBAL PROPERTY qx_generated_install_files)
add_custom_target(qx_install_files ALL DEPENDS ${qx_generated_install_files})
