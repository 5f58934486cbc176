#pragma once
// Saving what a window shows, for tests and screenshots.

#include <filesystem>

class QWidget;

namespace platform::ui {

// Renders `widget` (shown or not) with its children and writes it as PNG.
// Answers whether the file was written.
bool saveWindowPng(QWidget* widget, const std::filesystem::path& path);

}  // namespace platform::ui
