# Project-wide compile settings, carried by one interface target that every target links.
add_library(tessaray_settings INTERFACE)
add_library(Tessaray::settings ALIAS tessaray_settings)

target_compile_features(tessaray_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(tessaray_settings INTERFACE -Wall -Wextra -Wpedantic)
if(TESSARAY_WERROR)
    target_compile_options(tessaray_settings INTERFACE -Werror)
endif()

target_compile_definitions(tessaray_settings INTERFACE
    TESSARAY_VERSION_TEXT="${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, 0")

if(TESSARAY_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -O1)
    target_compile_options(tessaray_settings INTERFACE ${_san})
    target_link_options(tessaray_settings INTERFACE ${_san})
endif()

# tessaray_include_root(TARGET SCOPE FOLDER...)
# Sources name headers from the source root: "core/project/line_list.h", "gui/app/main_frame.h".
# TARGET gets an include root of its own in the build tree that holds a link to each FOLDER of src/
# it may use, and nothing else; libraries pass theirs on (SCOPE PUBLIC) to the targets above them.
# So a core file that names a GUI header, or a toolkit file that names one of the app, does not
# build.
function(tessaray_include_root target scope)
    set(_root "${PROJECT_BINARY_DIR}/include/${target}")
    foreach(_folder IN LISTS ARGN)
        get_filename_component(_parent "${_root}/${_folder}" DIRECTORY)
        file(MAKE_DIRECTORY "${_parent}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${_folder}" "${_root}/${_folder}" SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} "${_root}")
endfunction()

# Qt's strictness switches, for the targets that use Qt.
set(TESSARAY_QT_DEFINES
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING)
