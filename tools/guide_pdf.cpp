// qk3xx-guide-pdf: prints the Markdown user guide to the PDF help document at build time.
// Pictures named in the guide are looked up relative to the guide's own folder.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <iostream>

namespace {

constexpr int kResolutionDpi = 300;
constexpr qreal kMarginMm = 18;
constexpr qreal kBodyPointSize = 10;

bool PrintGuide(const QString& markdownPath, const QString& pdfPath) {
    QFile source(markdownPath);
    if (!source.open(QIODevice::ReadOnly)) return false;

    QPdfWriter pdf(pdfPath);
    pdf.setResolution(kResolutionDpi);
    pdf.setTitle("QK3xx Software User Guide");
    pdf.setCreator("QK3xx Software");
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                  QPageLayout::Millimeter));

    QTextDocument guide;
    QFont body = guide.defaultFont();
    body.setPointSizeF(kBodyPointSize);
    guide.setDefaultFont(body);
    // The pictures' paths are relative to the guide.
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(markdownPath).absolutePath() + "/");
    guide.setBaseUrl(folder);
    guide.setMetaInformation(QTextDocument::DocumentUrl, folder.toString());
    guide.setMarkdown(QString::fromUtf8(source.readAll()));
    guide.print(&pdf);
    return QFileInfo(pdfPath).size() > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qk3xx-guide-pdf GUIDE.md OUTPUT.pdf\n";
        return 2;
    }
    // Needs fonts, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!PrintGuide(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]))) {
        std::cerr << "qk3xx-guide-pdf: cannot print " << argv[1] << " to " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
