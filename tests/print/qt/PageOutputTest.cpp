// The form page as Qt draws it: into images that an independent reader decodes, and into PDF.

#include "print/qt/PageOutput.h"

#include "print/PageGeometry.h"
#include "print/qt/OffscreenGui.h"
#include "print/qt/QPainterCanvas.h"
#include "tests/support/BarcodePayloads.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PdfPages.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
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

TEST(PageOutput, FacesResolveToInstalledChineseFonts) {
    for (const FontSpec& style : {layout::kTitleFont, layout::kLabelFont, layout::kNoteFont}) {
        const QFont font = QPainterCanvas::fontFor(style, 600);
        EXPECT_EQ(QFontInfo(font).family(), QPainterCanvas::familyOf(style.face));
        EXPECT_EQ(font.pixelSize(), style.points * 600 / 72 + (style.points * 600 % 72 >= 36));
        const QFontMetrics metrics(font);
        for (const QChar c : QStringLiteral("因公护照申请表单位名称人员序号（务必请本人签名）")) {
            EXPECT_TRUE(metrics.inFont(c)) << QString(c).toStdString();
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
QRect inkOfText(const std::string& utf8, const Box& box, TextFormat format) {
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, 600, 600);
    canvas.selectFont(layout::kValueFont);
    canvas.drawText(record::gbk(utf8), box, format);
    painter.end();
    return inkBounds(image);
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

TEST(PageOutput, WrapEditLeavesOutALineThatWouldBeCutOff) {
    // Room for one and a half lines: Wrap shows the top of the second line, WrapEdit only the
    // first.
    const Box box{100, 100, 500, 250};
    const std::string text = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    const QRect wrapped = inkOfText(text, box, TextFormat::Wrap);
    const QRect edited = inkOfText(text, box, TextFormat::WrapEdit);
    EXPECT_GT(wrapped.bottom(), 200) << "the cut second line shows";
    EXPECT_LT(edited.bottom(), 200) << "only the whole first line shows";
    // A word wider than the box: Wrap keeps it on its line and cuts it at the box's edge,
    // WrapEdit breaks inside it and goes on in the next lines.
    const Box tall{100, 100, 500, 450};
    const std::string word(60, 'W');
    EXPECT_LT(inkOfText(word, tall, TextFormat::Wrap).bottom(), 250);
    EXPECT_GT(inkOfText(word, tall, TextFormat::WrapEdit).bottom(), 300);
}

TEST(PageOutput, PdfHoldsOneA4PagePerApplicantInOrder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::vector<PrintJob> jobs{jobFor(test::validApplicant())};
    const QString one = folder.filePath(QStringLiteral("one.pdf"));
    const PdfResult result = writePdf(jobs, one, kNoWarning);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.pagesWritten, 1u);
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
    EXPECT_EQ(writePdf(jobs, three, kNoWarning).pagesWritten, 3u);
    QFile threeFile(three);
    ASSERT_TRUE(threeFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(test::pdfPageCount(threeFile.readAll()), 3);
}

TEST(PageOutput, PdfStopsAtTheFirstPageWhoseBarcodeFails) {
    QTemporaryDir folder;
    std::vector<PrintJob> jobs{jobFor(test::validApplicant()), jobFor(test::validApplicant()),
                               jobFor(test::validApplicant())};
    jobs[1].payload = std::string(6000, 'x');
    std::vector<std::string> warnings;
    const PdfResult result =
        writePdf(jobs, folder.filePath(QStringLiteral("stop.pdf")),
                 [&](std::string_view message) { warnings.emplace_back(message); });
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.pagesWritten, 2u);
    EXPECT_EQ(result.status, barcode::DrawStatus::PayloadTooLong);
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
