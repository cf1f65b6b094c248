# The Windows saver's host. Its pure rules (the command line, the default
# stage's close decision, what a failed save names, the settings file's
# encoding and the Network group's texts) build on every platform, so the
# Linux suite tests them natively; the rest builds for Windows only.
add_library(zintu_saver_args STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32_saver_args.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_close_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_save_failure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_settings_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_network_group.cpp)
target_include_directories(zintu_saver_args PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(zintu_saver_args PUBLIC zintu_app_core)
zintu_warnings(zintu_saver_args)

if(NOT WIN32)
    return()
endif()

enable_language(RC)

# GL host and WGL context, saver window, settings and dialog, modes and guard.
# It reaches the application only through the callback table and the
# registration function it is handed, so it links nothing of the application
# beyond the table itself; the dialog checks network files with the reader.
add_library(zintu_win32_host STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wgl_context.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wgl_font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_dpi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_saver_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_monitors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_settings_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_modes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_guard.cpp)
target_link_libraries(zintu_win32_host PUBLIC zintu_saver_args zintu_app_core zintu_network_file
                                              OpenGL::GL gdi32 user32 comdlg32 shell32 ole32
                                              advapi32)
zintu_warnings(zintu_win32_host)

# The dialog template, the description string, the version record (from the
# project's version and the copyright line of packaging/copyright) and the
# application manifest.
include(${PROJECT_SOURCE_DIR}/packaging/product.cmake)
set(resource_dir ${CMAKE_CURRENT_BINARY_DIR}/win32_resources)
configure_file(${CMAKE_CURRENT_LIST_DIR}/win32_version.h.in ${resource_dir}/win32_version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/win32_manifest.xml.in ${resource_dir}/win32_manifest.xml
               @ONLY)
add_library(zintu_win32_resources OBJECT ${CMAKE_CURRENT_LIST_DIR}/win32_resources.rc)
target_include_directories(zintu_win32_resources PRIVATE ${resource_dir})
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/win32_resources.rc PROPERTIES OBJECT_DEPENDS
    "${resource_dir}/win32_version.h;${resource_dir}/win32_manifest.xml;${CMAKE_CURRENT_LIST_DIR}/win32_resources.h")

# zintu.scr: the application over one network library, on the Windows host.
function(zintu_add_saver target network)
    add_executable(${target} WIN32 ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/win32_main.cpp
                   $<TARGET_OBJECTS:zintu_win32_resources>)
    set_target_properties(${target} PROPERTIES SUFFIX ".scr")
    # wWinMain: the runtime starts the program from the wide command line.
    target_link_options(${target} PRIVATE -municode)
    target_link_libraries(${target} PRIVATE zintu_win32_host zintu_app zintu_network_choice
                                            ${network})
    target_link_options(${target} PRIVATE -s)
    zintu_warnings(${target})
endfunction()
