# The build version lives in the file VERSION at the top of the tree (1.4.x.y). It feeds the version resources,
# the manifest and the names of the packages. The settings key and the captions keep "1.4" whatever it says.
file(STRINGS ${PROJECT_SOURCE_DIR}/VERSION ALBUM_VERSION LIMIT_COUNT 1)
if(NOT ALBUM_VERSION MATCHES "^1\\.4\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "VERSION must read 1.4.x.y, not '${ALBUM_VERSION}'")
endif()
set(ALBUM_VERSION_MAJOR 1)
set(ALBUM_VERSION_MINOR 4)
set(ALBUM_VERSION_PATCH ${CMAKE_MATCH_1})
set(ALBUM_VERSION_TWEAK ${CMAKE_MATCH_2})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/VERSION)

set(ALBUM_VERSION_DIR ${CMAKE_BINARY_DIR}/version)
set(ALBUM_MANIFEST_FILE ${ALBUM_VERSION_DIR}/album.manifest)
configure_file(${PROJECT_SOURCE_DIR}/album/res/album.manifest.in ${ALBUM_MANIFEST_FILE} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version/version.h.in ${ALBUM_VERSION_DIR}/version.h @ONLY)

# Gives target a version resource: type VFT_APP or VFT_DLL, a description and the binary's file name.
function(album_add_version_resource target type description)
    get_target_property(kind ${target} TYPE)
    set(file_name "$<TARGET_FILE_NAME:${target}>")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    file(GENERATE OUTPUT ${rc} CONTENT
"#include <windows.h>
#define VERSION_FILE_TYPE ${type}
#define VERSION_DESCRIPTION \"${description}\"
#define VERSION_FILE_NAME \"${file_name}\"
#include \"versioninfo.rc\"
")
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
        OBJECT_DEPENDS "${ALBUM_VERSION_DIR}/version.h;${PROJECT_SOURCE_DIR}/cmake/version/versioninfo.rc")
    target_include_directories(${target} PRIVATE ${ALBUM_VERSION_DIR} ${PROJECT_SOURCE_DIR}/cmake/version)
endfunction()
