# What a program that uses the archive library needs: the library (on
# Windows the DLL in bin/, its import library and .def file in lib/) and the
# public header.
install(TARGETS qxcompress
        RUNTIME DESTINATION bin
        LIBRARY DESTINATION lib
        ARCHIVE DESTINATION lib
        PUBLIC_HEADER DESTINATION include)
if(WIN32)
  install(FILES ${QX_COMPRESS_EXPORTS_DEF} DESTINATION lib RENAME qxcompress.def)
endif()
