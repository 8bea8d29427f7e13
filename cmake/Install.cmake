# Install layout and the Debian package. Included last, once every target exists.

set(QX_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/qxbeta)

foreach(program qxbeta qxr)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET qxcompress)
  install(TARGETS qxcompress EXPORT qxcompressTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/include/qxcompress.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT qxcompressTargets NAMESPACE qxcompress::
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qxcompress)
  include(CMakePackageConfigHelpers)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/qxcompressConfig.cmake.in
    ${CMAKE_BINARY_DIR}/packaging/qxcompressConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qxcompress)
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/qxcompressConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qxcompressConfig.cmake
                ${CMAKE_BINARY_DIR}/packaging/qxcompressConfigVersion.cmake
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qxcompress)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/qxcompress.pc.in
                 ${CMAKE_BINARY_DIR}/packaging/qxcompress.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qxcompress.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

install(FILES packaging/qxbeta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Testers copy this one to ~/.config/autostart to have QXBêta start with their session.
install(FILES packaging/qxbeta-autostart.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/qxbeta)
install(FILES packaging/qxbeta.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and Debian documentation, compressed as Debian wants them.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
# The French pages are the default ones (man qxr); the English ones go to
# the "en" locale directory (man -L en qxr).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/man/en)
foreach(page qxr.1 qxbeta.1 en/qxr.1 en/qxbeta.1)
  get_filename_component(page_dir ${page} DIRECTORY)
  if(page_dir)
    set(page_dir ${page_dir}/)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz
    COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/man/${page} > ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/man/${page})
  list(APPEND qx_compressed_docs ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${page_dir}man1)
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
list(APPEND qx_compressed_docs ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(qx_docs ALL DEPENDS ${qx_compressed_docs})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz packaging/copyright DESTINATION ${QX_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qxbeta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Équipe QXBêta <beta@orvane.fr>")
set(CPACK_PACKAGE_VENDOR "Orvane Logiciels")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "incident reports for beta testers of the Orvane environment")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "QXBeta runs beside the Orvane development environment. When the tester copies
a screenshot to the clipboard, it opens a report dialog, adds system
information and sends the report as a printed fax form or as a .QXR archive.
The package also holds the qxr command line tool and the libqxcompress
archive library.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared library needs the linker cache refreshed after installation.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
