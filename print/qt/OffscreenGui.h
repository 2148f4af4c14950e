#pragma once

#include <memory>

#include <QGuiApplication>

namespace parvelin::print {

// The GUI application that drawing pages needs for its fonts, made where there may be no display
// (the command-line tool, benchmarks, tests): the offscreen platform unless another one is set.
std::unique_ptr<QGuiApplication> startOffscreenGui();

} // namespace parvelin::print
