# Project-wide compile settings, carried by one interface target that every target links.
add_library(tessaray_settings INTERFACE)
add_library(Tessaray::settings ALIAS tessaray_settings)

target_compile_features(tessaray_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(tessaray_settings INTERFACE -Wall -Wextra -Wpedantic)
if(TESSARAY_WERROR)
    target_compile_options(tessaray_settings INTERFACE -Werror)
endif()

# Every source includes from src/: "core/project/line_list.h", "gui/app/main_frame.h".
target_include_directories(tessaray_settings INTERFACE "${PROJECT_SOURCE_DIR}/src")

target_compile_definitions(tessaray_settings INTERFACE
    TESSARAY_VERSION_TEXT="${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, 0")

if(TESSARAY_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -O1)
    target_compile_options(tessaray_settings INTERFACE ${_san})
    target_link_options(tessaray_settings INTERFACE ${_san})
endif()

# Qt's strictness switches, for the targets that use Qt.
set(TESSARAY_QT_DEFINES
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING)
