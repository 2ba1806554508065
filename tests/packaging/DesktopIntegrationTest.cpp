#include "tests/packaging/InstalledTree.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QXmlStreamReader>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The keys of the [Desktop Entry] group of a desktop file.
std::map<std::string, std::string> DesktopEntryKeys(const std::string& path) {
    std::ifstream in(path);
    std::map<std::string, std::string> keys;
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.find('=') != std::string::npos) {
            const std::size_t at = line.find('=');
            keys[line.substr(0, at)] = line.substr(at + 1);
        }
    }
    return keys;
}

class DesktopIntegrationTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_EQ(tree_->Install().exitCode, 0) << tree_->Install().output; }

    static std::unique_ptr<InstalledTree> tree_;
};

std::unique_ptr<InstalledTree> DesktopIntegrationTest::tree_;

TEST_F(DesktopIntegrationTest, DesktopEntryPassesTheValidator) {
    const ProgramRun run =
        RunProgram(QStringLiteral("desktop-file-validate"),
                   {QString::fromStdString(tree_->Path("share/applications/quelvorant.desktop"))},
                   CleanEnvironment());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "") << "hints or warnings";
}

TEST_F(DesktopIntegrationTest, DesktopEntryStartsTheInstalledProgramWithItsIcon) {
    auto keys = DesktopEntryKeys(tree_->Path("share/applications/quelvorant.desktop"));
    const std::pair<const char*, const char*> expected[] = {
        {"Type", "Application"}, {"Name", "Quelvorant"}, {"Exec", "quelvorant"},
        {"Icon", "quelvorant"},  {"Terminal", "false"},  {"Categories", "System;Monitor;"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(keys[key], value) << key;
    }
    EXPECT_FALSE(keys["Comment"].empty());
    // The command and the icon name must be what the installation provides.
    EXPECT_TRUE(fs::exists(tree_->Path("bin/" + keys["Exec"]))) << keys["Exec"];
    for (const char* icon : {"48x48/apps/", "128x128/apps/"}) {
        EXPECT_TRUE(fs::exists(
            tree_->Path(std::string("share/icons/hicolor/") + icon + keys["Icon"] + ".png")))
            << icon;
    }
    EXPECT_TRUE(
        fs::exists(tree_->Path("share/icons/hicolor/scalable/apps/" + keys["Icon"] + ".svg")));
}

TEST_F(DesktopIntegrationTest, PngIconsHaveTheirThemeSizeAndATransparentGround) {
    for (const int size : {48, 128}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const QString path = QString::fromStdString(
            tree_->Path("share/icons/hicolor/" + name + "/apps/quelvorant.png"));
        EXPECT_EQ(QImageReader(path).format(), "png") << name;
        const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size)) << name;
        const int last = size - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last)}) {
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << name;
        }
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                opaque += qAlpha(icon.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, size * size / 3) << name;
    }
}

TEST_F(DesktopIntegrationTest, ScalableIconIsASquareSvgDocument) {
    QFile file(
        QString::fromStdString(tree_->Path("share/icons/hicolor/scalable/apps/quelvorant.svg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement()) << xml.errorString().toStdString();
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
    const QStringList viewBox =
        xml.attributes().value(QStringLiteral("viewBox")).toString().split(QLatin1Char(' '));
    ASSERT_EQ(viewBox.size(), 4);
    EXPECT_GT(viewBox[2].toDouble(), 0.0);
    EXPECT_EQ(viewBox[2].toDouble(), viewBox[3].toDouble());
    int shapes = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == QStringLiteral("path") || xml.name() == QStringLiteral("rect") ||
             xml.name() == QStringLiteral("circle"))) {
            ++shapes;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                                 << xml.lineNumber();
    EXPECT_GT(shapes, 0);
}

} // namespace
