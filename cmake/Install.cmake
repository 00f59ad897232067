# What `cmake --install` puts under the prefix: the two programs, the shipped program folder
# (never written at run time; each user's own files go to the user's data folder), the
# desktop entry, icons, AppStream metainfo, manual pages and the package documents.
include(GNUInstallDirs)

set(TOLVANE_APP_ID io.github.tolvane.Tolvane)
set(TOLVANE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tolvane)
set(TOLVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tolvane) # the package name, in lower case
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tolvane tolvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/program/ DESTINATION ${TOLVANE_SHARE_DIR}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE
        PATTERN .gitattributes EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TOLVANE_SHARE_DIR} RENAME License.txt)

install(FILES ${packaging}/${TOLVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${TOLVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/icons/${TOLVANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${packaging}/icons/${TOLVANE_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TOLVANE_APP_ID}.png)
endforeach()

# Manual pages and the change log go in compressed, without time stamps (reproducible).
find_program(TOLVANE_GZIP gzip)
set(compressed ${CMAKE_BINARY_DIR}/packaging)
set(gzipped)
foreach(source man/tolvane.1 man/tolvane-cli.1 changelog)
    get_filename_component(name ${source} NAME)
    if(TOLVANE_GZIP)
        add_custom_command(OUTPUT ${compressed}/${name}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed}
            COMMAND ${TOLVANE_GZIP} -9nc ${packaging}/${source} > ${compressed}/${name}.gz
            DEPENDS ${packaging}/${source} VERBATIM)
        list(APPEND gzipped ${compressed}/${name}.gz)
        set(file_${name} ${compressed}/${name}.gz)
    else()
        set(file_${name} ${packaging}/${source})
    endif()
endforeach()
add_custom_target(packaging_documents ALL DEPENDS ${gzipped})
install(FILES ${file_tolvane.1} ${file_tolvane-cli.1} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${file_changelog} ${packaging}/copyright DESTINATION ${TOLVANE_DOC_DIR})

# The installed programs find the shipped program folder relative to themselves, so the
# package can be installed under any prefix.
file(RELATIVE_PATH TOLVANE_INSTALLED_DATA /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TOLVANE_SHARE_DIR})
target_compile_definitions(tolvane_core PRIVATE TOLVANE_INSTALLED_DATA="${TOLVANE_INSTALLED_DATA}")
