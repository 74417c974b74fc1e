# Included from the top level, so that cpack finds its configuration in the build folder.
# The installed copy: programs in bin, the data and the readme in share/tarrox2 (where the
# program looks for them from its own folder), and the desktop's menu entry and icon.
set(TARROX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tarrox2)

if(TARGET tarrox2)
    install(TARGETS tarrox2 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS tarrox2-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data DESTINATION ${TARROX_SHARE_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/TarroxII.htm DESTINATION ${TARROX_SHARE_DIR})
set(TARROX_ICONS ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarrox2.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarrox2.svg DESTINATION ${TARROX_ICONS}/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarrox2-48.png DESTINATION ${TARROX_ICONS}/48x48/apps
        RENAME tarrox2.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarrox2)
set(CPACK_PACKAGE_VENDOR "Tarrox II")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor for StarCraft's user-interface dialog files and the archives that hold them")
set(CPACK_PACKAGE_CONTACT "Tarrox II developers <tarrox2@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
# Depends (Qt 6 widgets, libpng, the C++ runtime) come from the programs' own links. Where
# StormLib is opened at run time no link names it, so its package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(STORMLIB_SONAME)
    get_filename_component(storm_file ${STORMLIB_LIBRARY} REALPATH)
    execute_process(COMMAND dpkg-query -S ${storm_file} OUTPUT_VARIABLE storm_owner ERROR_QUIET)
    if(storm_owner MATCHES "^([^:]+)")
        set(CPACK_DEBIAN_PACKAGE_DEPENDS ${CMAKE_MATCH_1})
    endif()
endif()
include(CPack)
