# `cmake --install` lays the program out as it runs: one program folder
# (lib/marlowin below the prefix) holding marlowin, the two libraries it loads
# by name, the platform libraries, config/ and utilities/dep/; bin/marlowin
# starts it; a desktop entry and an icon in the standard places. Every binary
# finds its libraries beside itself ($ORIGIN), never in the build tree.
include(GNUInstallDirs)

set(DVR_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/marlowin)
set(CMAKE_INSTALL_RPATH "$ORIGIN")

function(dvr_install_program)
  set(platform_libraries platform_base platform_gdi platform_user platform_afx
                         platform_backend platform_backend_gtk platform_media
                         platform_disk platform_web)
  install(TARGETS marlowin Trevane Oskulo ${platform_libraries}
          RUNTIME DESTINATION ${DVR_PROGRAM_DIR}
          LIBRARY DESTINATION ${DVR_PROGRAM_DIR})
  install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/config
                    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/utilities
          DESTINATION ${DVR_PROGRAM_DIR})
  # The program finds its folder through /proc/self/exe, which names the
  # target of the link, so bin/marlowin can be a plain relative link.
  file(RELATIVE_PATH target /${CMAKE_INSTALL_BINDIR} /${DVR_PROGRAM_DIR}/marlowin)
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
                file(CREATE_LINK ${target}
                     \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/marlowin\"
                     SYMBOLIC)")
  install(FILES ${CMAKE_SOURCE_DIR}/app/install/marlowin.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/app/install/marlowin.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()
