// The form page as Qt draws it: into images that an independent reader decodes, and into PDF.

#include "print/qt/PageOutput.h"

#include "print/PageGeometry.h"
#include "print/qt/FormFonts.h"
#include "print/qt/OffscreenGui.h"
#include "print/qt/PageText.h"
#include "print/qt/QPainterCanvas.h"
#include "tests/support/Applicants.h"
#include "tests/support/BarcodePayloads.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PdfPages.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace parvelin::print {
namespace {

using namespace std::chrono_literals;

const test::FixedClock kClock(2012y / 5 / 17);

PrintJob jobFor(record::MemberRecord record) {
    auto prepared = preparePrintJob(record, kClock);
    if (!std::holds_alternative<PrintJob>(prepared)) {
        throw std::runtime_error("test applicant fails a check");
    }
    return std::get<PrintJob>(prepared);
}

const Warn kNoWarning = [](std::string_view message) {
    ADD_FAILURE() << "unexpected warning " << message;
};

std::string readBarcode(const QImage& page) {
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, grey.bytesPerLine());
    const ZXing::Result result =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::PDF417));
    return result.isValid() ? std::string(result.bytes().asString()) : "<unread>";
}

TEST(PageOutput, BarcodeOnA300DpiPageDecodesToThePayload) {
    std::mt19937 random(5);
    int decoded = 0;
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        PrintJob job = jobFor(test::randomPrintableApplicant(random, 8));
        ASSERT_TRUE(test::fitsOneSymbol(job.payload));
        const ImageResult result = renderPageImage(job, 300, kNoWarning);
        ASSERT_EQ(result.status, barcode::DrawStatus::Ok);
        EXPECT_EQ(result.image.size(), QSize(2480, 3508)) << "A4 at 300 dpi";
        EXPECT_EQ(readBarcode(result.image), job.payload);
        ++decoded;
    }
    EXPECT_EQ(decoded, 6);
}

TEST(PageOutput, TheLargestApplicantPayloadStillDecodesAt300Dpi) {
    PrintJob job = jobFor(test::validApplicant());
    job.payload = test::largestPayloadWhere(test::fitsOneSymbol);
    const ImageResult result = renderPageImage(job, 300, kNoWarning);
    ASSERT_EQ(result.status, barcode::DrawStatus::Ok);
    EXPECT_EQ(readBarcode(result.image), job.payload);
}

// The darkest pixel in a small square around a page position, on an image of the sheet.
int darkestAround(const QImage& image, int dpi, Point at) {
    const QMarginsF margins = formPageLayout().margins(QPageLayout::Millimeter);
    const int cx = static_cast<int>(std::lround(margins.left() / 25.4 * dpi)) + at.x * dpi / 600;
    const int cy = static_cast<int>(std::lround(margins.top() / 25.4 * dpi)) + at.y * dpi / 600;
    int darkest = 255;
    for (int y = cy - 2; y <= cy + 2; ++y) {
        for (int x = cx - 2; x <= cx + 2; ++x) {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}

TEST(PageOutput, TheFormKeepsItsDesignedSizeAtEveryResolution) {
    for (const int dpi : {150, 300, 600}) {
        SCOPED_TRACE(dpi);
        PrintJob job = jobFor(test::validApplicant());
        const QImage page = renderPageImage(job, dpi, kNoWarning).image;
        // The table frame's corners and a rule lie where the design puts them, in inches.
        EXPECT_LT(darkestAround(page, dpi, {485, 3000}), 100) << "left edge of the frame";
        EXPECT_LT(darkestAround(page, dpi, {4269, 3000}), 100) << "right edge of the frame";
        EXPECT_LT(darkestAround(page, dpi, {2000, 5987}), 100) << "bottom edge of the frame";
        EXPECT_LT(darkestAround(page, dpi, {3000, 2974}), 100) << "a rule of the table";
        EXPECT_EQ(darkestAround(page, dpi, {300, 3000}), 255) << "outside the frame";
        EXPECT_EQ(darkestAround(page, dpi, {4500, 3000}), 255) << "outside the frame";
    }
}

// The faces that resolve, and their size in page units: a Chinese character is one cell wide and
// the cell is p × 600 / 72 units high; Latin letters, digits and spaces are half a cell wide, as in
// the GBK faces the form's cells were measured for; the full-width colon sits in the left half of
// its cell (Simplified Chinese), not in its middle.
TEST(PageOutput, FacesResolveToSimplifiedChineseFacesSizedInPageUnits) {
    struct Case {
        FontSpec style;
        const char* family;
        const char* halfWidthFamily;
        double cellHeight;
        const char* why;
    };
    const Case cases[] = {
        {layout::kTitleFont, "Noto Sans CJK SC", "AR PL UMing CN", 22 * 600 / 72.0, "title"},
        {layout::kLabelFont, "Noto Sans CJK SC", "AR PL UMing CN", 100, "labels"},
        {layout::kNoteFont, "Noto Serif CJK SC", "AR PL UMing CN", 75, "notes"},
        {layout::kValueFont, "Noto Serif CJK SC", "AR PL UMing CN", 100, "values"},
        {layout::kSmallValueFont, "Noto Serif CJK SC", "AR PL UMing CN", 8 * 600 / 72.0,
         "values in fitted cells"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const FormFont font = formFont(c.style);
        EXPECT_EQ(QFontInfo(font.font).family().toStdString(), c.family);
        EXPECT_EQ(QFontInfo(font.halfWidthFont).family().toStdString(), c.halfWidthFamily);
        EXPECT_NEAR(font.cellHeight, c.cellHeight, 1e-9);
        EXPECT_EQ(QFontInfo(font.font).weight(), QFont::Normal)
            << "one cut a face: bold is stroked";
        EXPECT_EQ(font.emboldening > 0, c.style.weight >= 700);
        EXPECT_GT(font.baseline, font.cellHeight / 2);
        EXPECT_LT(font.baseline, font.cellHeight);

        const auto widthOf = [&](const QString& text) {
            const Box unbounded{0, 0, 100000, 100000};
            return PageText(text, font, unbounded, TextFormat::Line).lines().front().extent.width();
        };
        EXPECT_NEAR(widthOf(QStringLiteral("国")), c.cellHeight, 0.02);
        for (const QString& latin :
             {QStringLiteral("W"), QStringLiteral("1"), QStringLiteral("W W")}) {
            EXPECT_NEAR(widthOf(latin), c.cellHeight / 2 * latin.size(), 0.02)
                << latin.toStdString();
        }
        const QFontMetricsF metrics(font.font, &textUnitDevice());
        const QRectF colon = metrics.tightBoundingRect(QStringLiteral("："));
        EXPECT_LT(colon.right() / kTextUnitsPerPageUnit, c.cellHeight / 2)
            << "colon at the left of its cell";
        for (const QChar ch :
             QStringLiteral("因公护照申请表单位名称人员序号（务必请本人签名）、，")) {
            EXPECT_TRUE(metrics.inFontUcs4(ch.unicode())) << QString(ch).toStdString();
        }
    }
}

// Bounding box of the ink on an image, in pixels; empty when nothing is drawn.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// Text of `lines` lines drawn in a box at 600 dpi (page units are pixels there).
// A 1200 by 800 image at 600 dpi (page units are pixels there), white, with what `draw` draws.
template <typename Draw>
QImage drawnAt600Dpi(Draw draw) {
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        QPainterCanvas canvas(painter, 600, 600);
        canvas.selectFont(layout::kValueFont);
        draw(canvas);
    }
    painter.end();
    return image;
}

QRect inkOfText(const std::string& utf8, const Box& box, TextFormat format) {
    return inkBounds(drawnAt600Dpi(
        [&](PageCanvas& canvas) { canvas.drawText(record::gbk(utf8), box, format); }));
}

TEST(PageOutput, EveryFormatKeepsItsTextInsideItsBox) {
    const std::string longText(120, 'W');
    const Box box{100, 100, 500, 300}; // 400 by 200: a 12-point line is 100 units high
    const QRect inside(100, 100, 400, 200);
    for (const TextFormat format :
         {TextFormat::Line, TextFormat::LineCentred, TextFormat::Wrap, TextFormat::WrapCentred,
          TextFormat::WrapEdit, TextFormat::Centred}) {
        SCOPED_TRACE(static_cast<int>(format));
        const QRect ink = inkOfText(longText, box, format);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_TRUE(inside.contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
    EXPECT_TRUE(inkOfText("", box, TextFormat::Wrap).isEmpty()) << "empty cells draw nothing";
}

// A centred line has as much room on its left as on its right (the title, 性别, 民族 and the
// photo labels are set so).
TEST(PageOutput, CentredTextsSplitTheirRoomEvenly) {
    const Box box{100, 100, 1100, 300};
    for (const TextFormat format :
         {TextFormat::LineCentred, TextFormat::WrapCentred, TextFormat::Centred}) {
        SCOPED_TRACE(static_cast<int>(format));
        const QRect ink = inkOfText("WWW", box, format);
        ASSERT_FALSE(ink.isEmpty());
        const int left = ink.left() - box.left;
        const int right = box.right - 1 - ink.right();
        EXPECT_NEAR(left, right, 20) << "left " << left << ", right " << right;
    }
}

TEST(PageOutput, WrappedTextsLeaveOutALineThatWouldBeCutOff) {
    // Room for one and a half lines: every wrapped format shows only the whole first line, so
    // that a long value never runs through the rule under its cell (the cells reach 4 units past
    // their rule).
    const Box box{100, 100, 500, 250};
    const std::string text = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    for (const TextFormat format :
         {TextFormat::Wrap, TextFormat::WrapCentred, TextFormat::WrapEdit}) {
        SCOPED_TRACE(static_cast<int>(format));
        const QRect ink = inkOfText(text, box, format);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_LT(ink.bottom(), 200) << "only the whole first line shows";
    }
    // A word wider than the box: Wrap keeps it on its line and cuts it at the box's edge,
    // WrapEdit breaks inside it and goes on in the next lines.
    const Box tall{100, 100, 500, 450};
    const std::string word(60, 'W');
    EXPECT_LT(inkOfText(word, tall, TextFormat::Wrap).bottom(), 250);
    EXPECT_GT(inkOfText(word, tall, TextFormat::WrapEdit).bottom(), 300);
}

// A value its cell cannot show whole is named for the print question, and its box is marked in
// red on the screen's preview (Qt records the preview's pages as pictures), never on paper.
TEST(PageOutput, CutValuesAreNamedAndMarkedOnTheScreenOnly) {
    record::MemberRecord applicant = test::validApplicant();
    applicant.remarks = record::gbk("第一行\r\n第二行");
    EXPECT_TRUE(cutCellsOf(jobFor(applicant)).empty()) << "two lines fit the remarks box";
    applicant.remarks += record::gbk("\r\n赴遼寧省參加會議後出國");
    PrintJob job = jobFor(applicant);
    EXPECT_EQ(cutCellsOf(job), std::vector<std::string_view>{"备注"});
    EXPECT_TRUE(job.cutCells.empty()) << "the job itself is left as it was";

    constexpr int kDpi = 100; // page units are 1/600 inch: six to a pixel
    const Box& remarks = layout::kValuesAfterHeldPassport.back().box;
    const auto redInRemarks = [&](bool onScreen) {
        QImage page(800, 1200, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPicture preview;
        QPainter painter;
        onScreen ? painter.begin(&preview) : painter.begin(&page);
        {
            QPainterCanvas canvas(painter, kDpi, kDpi);
            drawFormPage(job, canvas, kNoWarning);
        }
        painter.end();
        if (onScreen) {
            QPainter player(&page);
            player.drawPicture(0, 0, preview);
        }
        int red = 0;
        for (int y = remarks.top / 6; y < remarks.bottom / 6; ++y) {
            for (int x = remarks.left / 6; x < remarks.right / 6; ++x) {
                const QColor colour = page.pixelColor(x, y);
                red += colour.red() > 150 && colour.green() < 100 ? 1 : 0;
            }
        }
        return red;
    };
    EXPECT_GT(redInRemarks(true), 100);
    EXPECT_EQ(redInRemarks(false), 0);
}

// Text is drawn opaque, line by line: a rule under a line of text is covered where the line lies
// (its cell, from its first character to its last, spaces between included) and stays visible
// in the rest of the text's box.
TEST(PageOutput, TextCoversWhatLiesUnderItsLinesAndNothingElse) {
    const Box box{100, 100, 700, 400};
    const QImage image = drawnAt600Dpi([&](PageCanvas& canvas) {
        canvas.drawLine({300, 50}, {300, 450});
        canvas.drawText(record::gbk("W      W"), box, TextFormat::Line); // 100 to 500, 100 to 200
    });
    const auto darkRows = [&](int from, int to) {
        int dark = 0;
        for (int y = from; y < to; ++y) {
            dark += qGray(image.pixel(300, y)) < 128 ? 1 : 0;
        }
        return dark;
    };
    EXPECT_EQ(darkRows(100, 200), 0) << "the line of text covers the rule";
    EXPECT_EQ(darkRows(200, 400), 200) << "the rest of the box leaves it visible";
    EXPECT_EQ(darkRows(50, 100), 50) << "above the box";
}

TEST(PageOutput, PdfHoldsOneA4PagePerApplicantInOrder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::vector<PrintJob> jobs{jobFor(test::validApplicant())};
    const QString one = folder.filePath(QStringLiteral("one.pdf"));
    const PdfResult result = writePdf(jobs, one, kNoWarning);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.statuses, std::vector{barcode::DrawStatus::Ok});
    QFile file(one);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(test::pdfPageCount(pdf), 1);
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[0 0 595(\\.0*)? 842(\\.0*)?\\]"))))
        << "A4 is 595 by 842 points";

    jobs.push_back(jobFor(test::validApplicant()));
    jobs.push_back(jobFor(test::validApplicant()));
    const QString three = folder.filePath(QStringLiteral("three.pdf"));
    EXPECT_EQ(writePdf(jobs, three, kNoWarning).statuses.size(), 3u);
    QFile threeFile(three);
    ASSERT_TRUE(threeFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(test::pdfPageCount(threeFile.readAll()), 3);
}

// The PDF as its readers see it (poppler-utils): every font embedded, the labels and the
// applicant's values read back as text (人, 民, 户 and the other characters that CJK faces share
// with a radical included), and the rules 1/600 inch wide at any zoom.
TEST(PageOutput, PdfEmbedsItsFontsReadsBackAsTextAndKeepsItsRulesWidth) {
    QTemporaryDir folder;
    std::vector<PrintJob> jobs{jobFor(test::validApplicant())};
    const QString path = folder.filePath(QStringLiteral("page.pdf"));
    ASSERT_TRUE(writePdf(jobs, path, kNoWarning).written);

    const QStringList fonts =
        QString::fromUtf8(test::popplerOutput(QStringLiteral("pdffonts"), {path}))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            .mid(2); // below the heading and its rule
    EXPECT_GE(fonts.size(), 2) << "pdffonts (poppler-utils) lists the fonts";
    for (const QString& font : fonts) {
        const QStringList columns = font.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 7) << font.toStdString();
        EXPECT_EQ(columns.at(columns.size() - 5), QStringLiteral("yes"))
            << "embedded: " << font.toStdString();
    }

    const QString text = test::pdfText(path);
    for (const char* expected :
         {"因公护照申请表", "单位名称：", "人员序号：", "填表日期：", "民族", "出生日期",
          "人员审批及", "数字照片", "身份证复印件", "（首次申请请提供户口本复印件）",
          "此栏由签发机关填写：", "外交部", "ZHANG", "亚洲司", "国家公务员",
          "0000130122012035_4711", "12345678901234567890", "110101198001010010", "1980-01-01"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }

    // A rule at 2400 dpi, where 1/600 inch is 4 dots and a hairline 1: the one dark run across
    // it, in a square of 50 by 50 page units around it where nothing else is drawn.
    constexpr int kDpi = 2400;
    constexpr int kSquare = 200;
    const QMarginsF margins = formPageLayout().margins(QPageLayout::Millimeter);
    const auto dots = [&](double millimetres, int pageUnits) {
        return static_cast<int>(std::lround((millimetres / 25.4 + pageUnits / 600.0) * kDpi));
    };
    struct Rule {
        Point at;
        bool horizontal;
        const char* why;
    };
    for (const Rule& rule : {Rule{{1800, 2974}, true, "a horizontal rule"},
                             Rule{{1065, 2470}, false, "a vertical rule"}}) {
        SCOPED_TRACE(rule.why);
        const QString prefix = folder.filePath(QStringLiteral("rule"));
        const auto number = [](int value) { return QString::number(value); };
        test::popplerOutput(
            QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), number(kDpi), QStringLiteral("-gray"), QStringLiteral("-aa"),
             QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
             QStringLiteral("-x"), number(dots(margins.left(), rule.at.x) - kSquare / 2),
             QStringLiteral("-y"), number(dots(margins.top(), rule.at.y) - kSquare / 2),
             QStringLiteral("-W"), number(kSquare), QStringLiteral("-H"), number(kSquare),
             QStringLiteral("-singlefile"), path, prefix});
        const QImage square(prefix + QStringLiteral(".pgm"));
        ASSERT_FALSE(square.isNull()) << "pdftoppm (poppler-utils) draws the page";
        std::vector<int> runs;
        bool inRun = false;
        for (int i = 0; i < kSquare; ++i) {
            const QPoint across = rule.horizontal ? QPoint(kSquare / 2, i) : QPoint(i, kSquare / 2);
            const bool dark = qGray(square.pixel(across)) < 128;
            if (dark && !inRun) {
                runs.push_back(0);
            }
            if (dark) {
                ++runs.back();
            }
            inRun = dark;
        }
        ASSERT_EQ(runs.size(), 1u) << "the rule alone";
        EXPECT_GE(runs.front(), 3);
        EXPECT_LE(runs.front(), 5);
    }
}

TEST(PageOutput, PdfGoesOnPastAPageWhoseBarcodeFails) {
    QTemporaryDir folder;
    std::vector<PrintJob> jobs{jobFor(test::validApplicant()), jobFor(test::validApplicant()),
                               jobFor(test::validApplicant())};
    jobs[1].payload = std::string(6000, 'x');
    std::vector<std::string> warnings;
    const QString path = folder.filePath(QStringLiteral("on.pdf"));
    const PdfResult result =
        writePdf(jobs, path, [&](std::string_view message) { warnings.emplace_back(message); });
    EXPECT_TRUE(result.written);
    using barcode::DrawStatus;
    EXPECT_EQ(result.statuses,
              (std::vector{DrawStatus::Ok, DrawStatus::PayloadTooLong, DrawStatus::Ok}));
    EXPECT_EQ(test::pdfPageCountOf(path), 3);
    EXPECT_EQ(warnings, std::vector<std::string>{"数据太长，二维码不正确！"});
}

TEST(PageOutput, UnwritablePdfIsReported) {
    std::vector<PrintJob> jobs{jobFor(test::validApplicant())};
    EXPECT_FALSE(writePdf(jobs, QStringLiteral("/nonexistent-folder/x.pdf"), kNoWarning).written);
}

} // namespace
} // namespace parvelin::print

int main(int argc, char** argv) {
    const auto application = parvelin::print::startOffscreenGui(); // also while CTest lists tests
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
