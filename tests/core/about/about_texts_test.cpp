#include "about_texts.h"
#include "temp_dir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace marlek {
namespace {

QString qPath(const std::filesystem::path &path) {
    return QString::fromStdString(path.string());
}

TEST(MakerPage, InstalledPageBesideTheProgramComesFirst) {
    test::TempDir prefix;
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share/marlek-lotto/about");
    test::writeFileBytes(prefix / "share/marlek-lotto/about/index.html", "<html></html>");

    const QStringList candidates = makerPageCandidates(qPath(prefix / "bin"));
    ASSERT_EQ(candidates.size(), 2);
    EXPECT_EQ(candidates[0], qPath(prefix / "share/marlek-lotto/about/index.html"));
    EXPECT_EQ(makerPageUrl(qPath(prefix / "bin")),
              QUrl::fromLocalFile(qPath(prefix / "share/marlek-lotto/about/index.html")));
}

TEST(MakerPage, DevelopmentBuildFallsBackToTheSourceTree) {
    test::TempDir build;
    const QUrl url = makerPageUrl(qPath(build.path()));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_TRUE(QFileInfo(url.toLocalFile()).isFile()) << url.toString().toStdString();
    EXPECT_TRUE(url.toLocalFile().endsWith(QStringLiteral("/about/page/index.html")));
}

TEST(MakerPage, NoPageAnywhereKeepsTheInstalledLocation) {
    test::TempDir nowhere;
    const QStringList candidates = {qPath(nowhere / "a/index.html"),
                                    qPath(nowhere / "b/index.html")};
    EXPECT_EQ(findMakerPage(candidates), candidates[0]);
    EXPECT_EQ(findMakerPage({}), QString());
}

} // namespace
} // namespace marlek
