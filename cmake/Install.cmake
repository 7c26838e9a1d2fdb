# Where everything goes under the prefix (GNUInstallDirs), and the .deb made from it.
include(GNUInstallDirs)

set(VISTREL_PROGRAMS vistrel vistrel-cli vistrel-thumbnailer)
foreach(program IN LISTS VISTREL_PROGRAMS)
  target_compile_definitions(${program} PRIVATE VISTREL_VERSION="${PROJECT_VERSION}")
endforeach()

# The build tree keeps its program folder beside the programs, as a portable install does;
# an installed program, which has no such marker, uses the per-user data folder.
file(WRITE ${CMAKE_BINARY_DIR}/bin/vistrel.portable
  "The program folder of the programs here is this folder.\n")

set(resources ${CMAKE_SOURCE_DIR}/resources)
set(share ${CMAKE_INSTALL_DATADIR})
install(TARGETS ${VISTREL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# vistrel-cli runs some of its commands in helper programs, which no one calls by name; it
# finds them beside itself (the build tree) or by this path from its own folder.
install(TARGETS vistrel-cli-pictures vistrel-cli-render
  RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vistrel)
file(RELATIVE_PATH helpers_from_bin
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/vistrel)
target_compile_definitions(vistrel_cli_common PRIVATE
  VISTREL_HELPERS_FROM_BIN="${helpers_from_bin}")
# The programs find these as ../share/vistrel from their own folder, so a moved prefix works.
install(DIRECTORY ${resources}/defaults/ DESTINATION ${share}/vistrel)
install(FILES ${resources}/linux/vistrel.desktop DESTINATION ${share}/applications)
install(FILES ${resources}/linux/org.vistrel.Vistrel.metainfo.xml DESTINATION ${share}/metainfo)
install(FILES ${resources}/linux/vistrel.thumbnailer DESTINATION ${share}/thumbnailers)
install(FILES ${resources}/linux/vistrel-cli.bash
  DESTINATION ${share}/bash-completion/completions RENAME vistrel-cli)
install(FILES ${resources}/man/vistrel.1 ${resources}/man/vistrel-cli.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${resources}/icons/vistrel.svg DESTINATION ${share}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${resources}/icons/${size}x${size}/vistrel.png
    DESTINATION ${share}/icons/hicolor/${size}x${size}/apps)
endforeach()

# cpack -G DEB: the library dependencies come from the programs themselves (the engine's
# helper process comes with them); the platform plugins are loaded at run time, so they are
# named here: without the offscreen one vistrel-cli and the thumbnailer cannot render.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vistrel)
set(CPACK_PACKAGE_VENDOR "Vistrel")
set(CPACK_PACKAGE_CONTACT "Vistrel developers <vistrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "thumbnail viewer, file manager and source editor for folders of HTML files")
set(CPACK_PACKAGE_DESCRIPTION
  "Vistrel shows a folder of web pages: the selected page in a browser view or as coloured\n\
source, a grid of thumbnails of the rendered pages, file lists gathered by searching folder\n\
trees, and snapshots of pages rendered off screen. vistrel-cli runs the same engines in\n\
scripts; vistrel-thumbnailer gives the file manager thumbnails of HTML pages.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
