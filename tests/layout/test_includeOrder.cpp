// Which folder may include which. Every library's include path is the whole source tree, so the
// compiler lets any file include any header; the rule is kept here instead:
//   platform <- core <- book, menu, games, square <- programs, tools
// A folder uses only the folders to its left, and book, menu, games and square never use each
// other (a window of a later folder is reached through the registry that core owns).
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include "support/TestEnv.h"

namespace {

// The folders each folder may use besides itself.
const QMap<QString, QStringList>& allowedUses() {
    static const QMap<QString, QStringList> uses = {
        {"platform", {}},
        {"core", {"platform"}},
        {"book", {"platform", "core"}},
        {"menu", {"platform", "core"}},
        {"games", {"platform", "core"}},
        {"square", {"platform", "core"}},
        {"programs", {"platform", "core", "book", "menu", "games", "square"}},
        {"tools", {"platform", "core", "book", "menu", "games", "square"}},
    };
    return uses;
}

struct Include {
    QString file;  // relative to the root, e.g. "core/Shell.cpp"
    int line = 0;
    QString header;  // as written
    QString folder;  // the top folder the header was found in
};

// The top folder of a path relative to the root ("core/Shell.h" -> "core").
QString topFolder(const QString& relative) { return relative.section(u'/', 0, 0); }

// Every #include of every source and header under the folders of the rule whose header is a
// file of the tree itself. A header is looked for as the compiler would: beside the including
// file, then from the root; a bare name found in neither (one reached through a library's own
// include folder, as tools/mkinstall reaches tools/bookenc) is looked for in every folder.
QList<Include> projectIncludes(const QString& rootPath) {
    const QDir root(rootPath);
    QStringList files;
    for (const QString& folder : allowedUses().keys()) {
        QDirIterator it(root.filePath(folder), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << root.relativeFilePath(it.next());
    }
    files.sort();

    QMap<QString, QStringList> byName;  // file name -> every place it is in
    for (const QString& f : files)
        byName[QFileInfo(f).fileName()] << f;

    static const QRegularExpression directive(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])"));
    QList<Include> found;
    for (const QString& f : files) {
        QFile in(root.filePath(f));
        if (!in.open(QIODevice::ReadOnly))
            continue;
        int line = 0;
        while (!in.atEnd()) {
            ++line;
            const QRegularExpressionMatch m = directive.match(QString::fromUtf8(in.readLine()));
            if (!m.hasMatch())
                continue;
            const QString header = m.captured(1);
            QStringList places;
            for (const QString& base : {QFileInfo(f).path(), QStringLiteral(".")}) {
                const QString candidate = root.relativeFilePath(QDir::cleanPath(root.filePath(base + u'/' + header)));
                if (!candidate.startsWith(u"..") && QFileInfo(root.filePath(candidate)).isFile()) {
                    places = {candidate};
                    break;
                }
            }
            if (places.isEmpty() && !header.contains(u'/'))
                places = byName.value(header);
            // A header found in several folders counts as the one of the including folder if
            // it is there, else as the first; outside headers (Qt, the standard library) have none.
            if (places.isEmpty())
                continue;
            QString folder = topFolder(places.first());
            for (const QString& p : places)
                if (topFolder(p) == topFolder(f))
                    folder = topFolder(p);
            found.append({f, line, header, folder});
        }
    }
    return found;
}

// One line per include that breaks the rule.
QStringList wrongIncludes(const QString& root) {
    QStringList wrong;
    for (const Include& inc : projectIncludes(root)) {
        const QString from = topFolder(inc.file);
        const QStringList may = allowedUses().value(from);
        if (inc.folder != from && !may.contains(inc.folder))
            wrong << QStringLiteral("%1:%2 includes \"%3\" of %4/, but %5/ may use only %6")
                         .arg(inc.file)
                         .arg(inc.line)
                         .arg(inc.header, inc.folder, from,
                              may.isEmpty() ? QStringLiteral("itself") : may.join(QStringLiteral(", ")));
    }
    return wrong;
}

// The folders each folder of the tree at root actually uses.
QMap<QString, QSet<QString>> usesIn(const QString& root) {
    QMap<QString, QSet<QString>> uses;
    for (const Include& inc : projectIncludes(root))
        if (inc.folder != topFolder(inc.file))
            uses[topFolder(inc.file)].insert(inc.folder);
    return uses;
}

TEST(IncludeOrder, NoFolderIncludesAFolderItMayNotUse) {
    const QStringList wrong = wrongIncludes(testsupport::sourceDir());
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// The scan reads the real tree: it sees the uses that are known to be there, so an empty
// result above is not an empty scan.
TEST(IncludeOrder, TheScanSeesTheUsesThatAreThere) {
    const QMap<QString, QSet<QString>> uses = usesIn(testsupport::sourceDir());
    EXPECT_TRUE(uses.value("core").contains("platform"));
    for (const char* activity : {"book", "menu", "games", "square"}) {
        EXPECT_TRUE(uses.value(activity).contains("core")) << activity;
        EXPECT_TRUE(uses.value("programs").contains(activity)) << activity;
    }
    EXPECT_TRUE(uses.value("tools").contains("book"));
}

// A small tree with one wrong include of each kind the rule forbids.
TEST(IncludeOrder, FindsEachKindOfWrongInclude) {
    testsupport::TempDir tree;
    tree.write("platform/Form.h", "#pragma once\n#include <QWidget>\n");
    tree.write("core/Shell.h", "#pragma once\n#include \"platform/Form.h\"\n");
    tree.write("book/frmBook.h", "#pragma once\n#include \"core/Shell.h\"\n");
    tree.write("menu/frmMenu.h", "#pragma once\n");
    tree.write("square/frmSquare.h", "#pragma once\n");
    tree.write("programs/Kestrow.cpp", "#include \"book/frmBook.h\"\n#include \"menu/frmMenu.h\"\n");
    tree.write("tools/bookenc/BookEncoder.h", "#pragma once\n");
    tree.write("tools/mkinstall/main.cpp", "#include \"BookEncoder.h\"\n#include \"book/frmBook.h\"\n");
    ASSERT_EQ(wrongIncludes(tree.path()), QStringList());

    tree.write("platform/Screen.cpp", "#include \"platform/Form.h\"\n  #  include <core/Shell.h>\n");
    tree.write("core/Startup.cpp",
               "// #include \"book/frmBook.h\" is not an include\n#include \"../book/frmBook.h\"\n");
    tree.write("book/Print.cpp", "#include \"menu/frmMenu.h\"\n");
    tree.write("games/Art.cpp", "#include \"square/frmSquare.h\"\n");
    tree.write("square/Builder.cpp", "#include \"programs/Kestrow.cpp\"\n");
    tree.write("core/Keys.cpp", "#include \"BookEncoder.h\"\n");
    const QStringList wrong = wrongIncludes(tree.path());
    EXPECT_EQ(wrong,
              QStringList({
                  "book/Print.cpp:1 includes \"menu/frmMenu.h\" of menu/, but book/ may use only platform, core",
                  "core/Keys.cpp:1 includes \"BookEncoder.h\" of tools/, but core/ may use only platform",
                  "core/Startup.cpp:2 includes \"../book/frmBook.h\" of book/, but core/ may use only platform",
                  "games/Art.cpp:1 includes \"square/frmSquare.h\" of square/, but games/ may use only platform, core",
                  "platform/Screen.cpp:2 includes \"core/Shell.h\" of core/, but platform/ may use only itself",
                  "square/Builder.cpp:1 includes \"programs/Kestrow.cpp\" of programs/, but square/ may use only "
                  "platform, core",
              }))
        << wrong.join(u'\n').toStdString();
}

}  // namespace
