// The form page is the same page at every resolution: the same words on the same lines, no glyph
// on a rule, rules 1/600 inch wide, and a barcode that reads back.

#include "print/PageGeometry.h"
#include "print/qt/PageOutput.h"
#include "print/qt/QPainterCanvas.h"
#include "tests/print/qt/PageTestSupport.h"
#include "tests/support/BarcodePayloads.h"

#include <cmath>

#include <QPaintEngine>
#include <QPainter>

namespace parvelin::print {
namespace {

using test::demandingApplicants;
using test::kNoWarning;

const int kResolutions[] = {150, 300, 600, 1200};

// A line of text as it reached the device: its baseline and characters, in page units.
struct DrawnLine {
    double x;
    double baseline;
    QString text;
};

// A paint engine that draws nothing and writes down every run of text it is given, mapped back
// from device units to page units. Runs of one line (one per font) follow each other on one
// baseline.
class TextRunRecorder final : public QPaintEngine {
public:
    explicit TextRunRecorder(int dpi)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_dpi(dpi) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    Type type() const override { return User; }

    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QPointF device = state->transform().map(at);
        const double x = device.x() * kPageUnitsPerInch / m_dpi;
        const double baseline = device.y() * kPageUnitsPerInch / m_dpi;
        if (!lines.empty() && std::abs(lines.back().baseline - baseline) < 0.25 &&
            x >= lines.back().x) {
            lines.back().text += item.text();
        } else {
            lines.push_back({x, baseline, item.text()});
        }
    }

    std::vector<DrawnLine> lines;

private:
    int m_dpi;
};

// An A4 sheet at a resolution, seen only by a TextRunRecorder.
class RecordingSheet final : public QPaintDevice {
public:
    explicit RecordingSheet(int dpi)
        : m_dpi(dpi)
        , m_engine(dpi) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<DrawnLine>& lines() const { return m_engine.lines; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_dpi * 210 * 10 / 254;
        case PdmHeight:
            return m_dpi * 297 * 10 / 254;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_dpi;
    mutable TextRunRecorder m_engine;
};

std::vector<DrawnLine> drawnLines(PrintJob job, int dpi) {
    RecordingSheet sheet(dpi);
    QPainter painter(&sheet);
    QPainterCanvas canvas(painter, dpi, dpi);
    EXPECT_EQ(drawFormPage(job, canvas, kNoWarning), barcode::DrawStatus::Ok);
    return sheet.lines();
}

TEST(PageResolution, WrappedTextsBreakAtTheSameCharactersAtEveryResolution) {
    for (const auto& [why, job] : demandingApplicants()) {
        SCOPED_TRACE(why);
        const std::vector<DrawnLine> atPrinter = drawnLines(job, 600);
        for (const int dpi : kResolutions) {
            SCOPED_TRACE(dpi);
            const std::vector<DrawnLine> lines = drawnLines(job, dpi);
            ASSERT_EQ(lines.size(), atPrinter.size());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                EXPECT_EQ(lines[i].text.toStdString(), atPrinter[i].text.toStdString());
                EXPECT_NEAR(lines[i].baseline, atPrinter[i].baseline, 0.5)
                    << lines[i].text.toStdString();
            }
        }
    }
}

// The fixed texts that wrap, line by line as the form is designed: a Chinese character is one
// cell wide (100 units at 12 points, 75 at 9), and lines follow each other at the cell height.
TEST(PageResolution, FixedTextsWrapAsDesignedOneCellHeightApart) {
    struct Case {
        std::vector<std::string> lines;
        double cellHeight;
        const char* why;
    };
    const Case cases[] = {
        {{"人员审批及", "备案号"}, 100, "12-point label in its 500-unit box"},
        {{"数字照片", "编号"}, 100, "centred label in its 480-unit box"},
        {{"（请您于此粘贴小二寸免冠近照一张，需", "与您所提供编号的数字照片为同一版，照",
          "片背景需为白色）"},
         75,
         "9-point photo note, 18 characters a line"},
        {{"（务必请本人在下框内居中位置签名，签", "名不宜太大，笔画不要超出线框，否则导",
          "致退照，此签名将直接打印在护照上）"},
         75,
         "signature note: three lines, clear of the rule at 5061"},
    };
    const PrintJob job = test::jobFor(parvelin::test::validApplicant());
    for (const int dpi : kResolutions) {
        const std::vector<DrawnLine> lines = drawnLines(job, dpi);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi: " + c.why);
            const auto first = std::find_if(lines.begin(), lines.end(), [&](const DrawnLine& line) {
                return line.text == QString::fromStdString(c.lines.front());
            });
            ASSERT_NE(first, lines.end());
            ASSERT_GE(std::distance(first, lines.end()), std::ptrdiff_t(c.lines.size()));
            for (std::size_t i = 0; i < c.lines.size(); ++i) {
                EXPECT_EQ(first[i].text.toStdString(), c.lines[i]);
                EXPECT_NEAR(first[i].baseline - first->baseline, c.cellHeight * i, 0.01);
            }
        }
    }
}

// A band of the page around one horizontal rule, drawn at a resolution. The band's corner lies
// on a whole device pixel, as the page's origin does on a sheet.
struct Band {
    QImage image;
    int dpi;
    Box window;
    double toDevice(double pageUnits, int origin) const {
        return (pageUnits - origin) * dpi / kPageUnitsPerInch;
    }
};

Band drawBand(PrintJob job, int dpi, const Box& window) {
    const auto pixels = [dpi](int units) { return units * dpi / kPageUnitsPerInch; };
    QImage image(pixels(window.width()), pixels(window.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-pixels(window.left), -pixels(window.top));
    {
        QPainterCanvas canvas(painter, dpi, dpi);
        EXPECT_EQ(drawFormPage(job, canvas, kNoWarning), barcode::DrawStatus::Ok);
    }
    painter.end();
    return {image, dpi, window};
}

struct HorizontalRule {
    int y;
    int from;
    int to;
};

std::vector<HorizontalRule> horizontalRules() {
    std::vector<HorizontalRule> rules{
        {layout::kTableFrame.top, layout::kTableFrame.left, layout::kTableFrame.right},
        {layout::kTableFrame.bottom, layout::kTableFrame.left, layout::kTableFrame.right}};
    for (const layout::Rule& rule : layout::kHorizontalRules) {
        rules.push_back({rule.from.y, rule.from.x, rule.to.x});
    }
    return rules;
}

bool nearAVerticalRule(double x, const Band& band) {
    const double reach = 3 + band.dpi / kPageUnitsPerInch;
    const auto near = [&](int ruleX) {
        return std::abs(x - band.toDevice(ruleX, band.window.left)) <= reach;
    };
    if (near(layout::kTableFrame.left) || near(layout::kTableFrame.right)) {
        return true;
    }
    return std::any_of(layout::kVerticalRules.begin(), layout::kVerticalRules.end(),
                       [&](const layout::Rule& rule) { return near(rule.from.x); });
}

// The columns of the band that lie along the rule and away from the vertical rules.
std::vector<int> openColumns(const Band& band, const HorizontalRule& rule) {
    std::vector<int> columns;
    const int first = static_cast<int>(std::ceil(band.toDevice(rule.from, band.window.left)));
    const int last = static_cast<int>(band.toDevice(rule.to, band.window.left));
    for (int x = first; x <= last; ++x) {
        if (!nearAVerticalRule(x, band)) {
            columns.push_back(x);
        }
    }
    return columns;
}

int inkedColumns(const Band& band, int row, const std::vector<int>& columns) {
    const auto* line = reinterpret_cast<const QRgb*>(band.image.constScanLine(row));
    return static_cast<int>(
        std::count_if(columns.begin(), columns.end(), [&](int x) { return qGray(line[x]) < 128; }));
}

// Draws the page in a band around every horizontal rule of the table and looks at the rule's
// rows and the rows just above and below it, away from the vertical rules: the rule is there,
// 1/600 inch thick, and no glyph touches it from either side.
TEST(PageResolution, NoGlyphTouchesAHorizontalRuleAtAnyResolution) {
    for (const auto& [why, job] : demandingApplicants()) {
        for (const int dpi : kResolutions) {
            for (const HorizontalRule& rule : horizontalRules()) {
                SCOPED_TRACE(std::string(why) + ", " + std::to_string(dpi) + " dpi, rule at y " +
                             std::to_string(rule.y));
                const Box window{(rule.from - 20) / 4 * 4, rule.y / 4 * 4 - 40, rule.to + 20,
                                 rule.y / 4 * 4 + 40};
                const Band band = drawBand(job, dpi, window);
                const std::vector<int> columns = openColumns(band, rule);
                const int expected = static_cast<int>(band.toDevice(rule.y, window.top));
                std::vector<int> ruleRows;
                for (int row = expected - 3; row <= expected + 3; ++row) {
                    if (inkedColumns(band, row, columns) * 10 >= int(columns.size()) * 9) {
                        ruleRows.push_back(row);
                    }
                }
                ASSERT_FALSE(ruleRows.empty()) << "the rule is drawn";
                EXPECT_EQ(int(ruleRows.size()), std::max(1, dpi / kPageUnitsPerInch))
                    << "rows of the rule: 1/600 inch";
                EXPECT_EQ(ruleRows.back() - ruleRows.front() + 1, int(ruleRows.size()));
                EXPECT_EQ(inkedColumns(band, ruleRows.front() - 1, columns), 0)
                    << "ink just above the rule";
                EXPECT_EQ(inkedColumns(band, ruleRows.back() + 1, columns), 0)
                    << "ink just below the rule";
            }
        }
    }
}

// The barcode box with a quiet zone around it, drawn at a resolution.
QImage barcodeArea(const PrintJob& job, int dpi) {
    constexpr int kQuietZone = 100;
    const Box box = layout::kBarcodeBox;
    return drawBand(job, dpi,
                    {box.left / 4 * 4 - kQuietZone, box.top / 4 * 4 - kQuietZone,
                     box.right + kQuietZone, box.bottom + kQuietZone})
        .image;
}

TEST(PageResolution, BarcodeDecodesAt200DpiAndUp) {
    PrintJob typical = test::jobFor(parvelin::test::validApplicant());
    PrintJob largest = typical;
    largest.payload = parvelin::test::largestPayloadWhere(parvelin::test::fitsOneSymbol);
    for (const int dpi : {200, 300, 600, 1200}) {
        for (const PrintJob* job : {&typical, &largest}) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, payload of " +
                         std::to_string(job->payload.size()) + " bytes");
            EXPECT_EQ(test::readBarcode(barcodeArea(*job, dpi)), job->payload);
        }
    }
}

} // namespace
} // namespace parvelin::print
