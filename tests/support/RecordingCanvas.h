#pragma once

#include "print/PageCanvas.h"
#include "record/GbkText.h"

#include <sstream>
#include <string>
#include <vector>

namespace parvelin::test {

// A canvas that writes down what is drawn, one line per call, texts in UTF-8:
//   font 黑体 22 700 | line 485,2026 4269,2026 | rect 485,1789,4269,5987
//   text Wrap 940,1448,2204,1787 外交部 | picture 86x30 2523,600,4180,1073
class RecordingCanvas final : public print::PageCanvas {
public:
    void selectFont(const print::FontSpec& font) override {
        record("font " + std::string(font.face == print::Face::Heiti ? "黑体" : "宋体") + " " +
               std::to_string(font.points) + " " + std::to_string(font.weight));
    }
    void drawLine(print::Point from, print::Point to) override {
        record("line " + point(from) + " " + point(to));
    }
    void drawRectangle(const print::Box& box) override { record("rect " + boxText(box)); }
    bool drawText(record::GbkStringView text, const print::Box& box,
                  print::TextFormat format) override {
        record("text " + formatName(format) + " " + boxText(box) + " " +
               record::gbkToUtf8Lossy(text));
        return true;
    }
    void markCutBox(const print::Box& box) override { record("cut " + boxText(box)); }
    bool drawPicture(const print::GreyPicture& picture, const print::Box& box) override {
        record("picture " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
               " " + boxText(box));
        lastPicture.assign(picture.pixels.begin(), picture.pixels.end());
        return pictureDrawable;
    }

    // A canvas that cannot draw pictures, for the failure path.
    bool pictureDrawable = true;

    std::vector<std::string> lines;
    std::vector<std::uint8_t> lastPicture;

    std::string text() const {
        std::string all;
        for (const std::string& line : lines) {
            all += line + "\n";
        }
        return all;
    }

private:
    void record(std::string line) { lines.push_back(std::move(line)); }
    static std::string point(print::Point p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
    static std::string boxText(const print::Box& b) {
        return std::to_string(b.left) + "," + std::to_string(b.top) + "," +
               std::to_string(b.right) + "," + std::to_string(b.bottom);
    }
    static std::string formatName(print::TextFormat format) {
        switch (format) {
        case print::TextFormat::Line:
            return "Line";
        case print::TextFormat::LineCentred:
            return "LineCentred";
        case print::TextFormat::Wrap:
            return "Wrap";
        case print::TextFormat::WrapCentred:
            return "WrapCentred";
        case print::TextFormat::WrapEdit:
            return "WrapEdit";
        case print::TextFormat::Centred:
            return "Centred";
        }
        return "?";
    }
};

} // namespace parvelin::test
