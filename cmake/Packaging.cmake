# The files a user gets: the sample configuration, the read-me and the license,
# written as code page 932 with CR LF line ends from their UTF-8 sources, and
# the release zip that holds them with the plug-in and the checker.
#
#   cmake --preset windows && cmake --build --preset windows && cpack --preset windows

set(VORLENT_DIST_DIR ${PROJECT_BINARY_DIR}/dist)
set(VORLENT_DIST_FILES)
foreach(name Vorlent.ini Readme.txt LICENSE.txt)
    set(source ${PROJECT_SOURCE_DIR}/dist/${name}.in)
    set(output ${VORLENT_DIST_DIR}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${output}
                -P ${PROJECT_SOURCE_DIR}/dist/make_windows_text.cmake
        DEPENDS ${source} ${PROJECT_SOURCE_DIR}/dist/make_windows_text.cmake
        COMMENT "Writing ${name} in code page 932"
        VERBATIM)
    list(APPEND VORLENT_DIST_FILES ${output})
endforeach()

# The checker finds Vorlent.ini beside itself, so the sample goes there too:
# a freshly built checker then answers with the shipped settings.
set(VORLENT_CHECKER_INI ${PROJECT_BINARY_DIR}/tools/vorlent-check/Vorlent.ini)
add_custom_command(
    OUTPUT ${VORLENT_CHECKER_INI}
    COMMAND ${CMAKE_COMMAND} -E copy ${VORLENT_DIST_DIR}/Vorlent.ini ${VORLENT_CHECKER_INI}
    DEPENDS ${VORLENT_DIST_DIR}/Vorlent.ini
    VERBATIM)
add_custom_target(vorlent_dist ALL DEPENDS ${VORLENT_DIST_FILES} ${VORLENT_CHECKER_INI})

if(TARGET Vorlent)
    install(FILES $<TARGET_FILE:Vorlent> DESTINATION .)
endif()
install(PROGRAMS $<TARGET_FILE:vorlent-check> DESTINATION .)
install(FILES ${VORLENT_DIST_FILES} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vorlent)
set(CPACK_PACKAGE_VENDOR "the Vorlent developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
    set(CPACK_SYSTEM_NAME win32)
endif()
# One folder at the top of the zip, named like the zip, holding every file.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
