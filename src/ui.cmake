# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt side: controls, message box, windows and the platform layer (moonleaf_ui).
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
qt_standard_project_setup()

add_library(moonleaf_ui STATIC
    controls/Ambient.cpp
    controls/ColorValue.cpp
    controls/EditLine.cpp
    controls/EditStyle.cpp
    controls/EditText.cpp
    controls/EditWindow.cpp
    controls/InputCodes.cpp
    controls/InterceptedWindow.cpp
    controls/MessageInterception.cpp
    controls/PropertyBag.cpp
    controls/StoredFont.cpp
    controls/UniTextBox.cpp
    controls/xButton.cpp
    controls/xLabel.cpp
    platform/CursorProbe.cpp
    platform/VietnameseFont.cpp
    platform/VisualStyle.cpp
    text/MsgBoxDialog.cpp
    text/UniMsgBox.cpp
    text/WindowHelpers.cpp
)
target_include_directories(moonleaf_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(moonleaf_ui PUBLIC moonleaf_core Qt6::Widgets PRIVATE moonleaf_warnings)
# Every connection names its receiver, so a handler never outlives the object it touches.
target_compile_definitions(moonleaf_ui PUBLIC QT_NO_CONTEXTLESS_CONNECT)
