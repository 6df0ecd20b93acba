// The English module is whole: lupdate over the sources finds every text marked for translation
// (tr(), Tr(), TrNoop()), and each of them has a finished English text in the translation source
// that keeps the placeholders ("%d", "%s", "%0:d", "%.2f", "%1", "%%") of the Russian text; and no
// Russian text of the programs escapes the marking.
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QDirIterator>
#include <algorithm>
#include <QFile>
#include <QMap>

namespace {

struct TEntry {
    QString Translation;
    bool Finished = false;
};

QString ReadText(QXmlStreamReader& xml) {
    // <source> and <translation> hold text with <byte value="xd"/> for control characters.
    QString text;
    const QString element = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) text += xml.text();
        if (xml.isStartElement() && xml.name() == u"byte") {
            const QString v = xml.attributes().value("value").toString();
            text += QChar(v.startsWith('x') ? v.mid(1).toInt(nullptr, 16) : v.toInt());
        }
        if (xml.isEndElement() && xml.name() == element) break;
    }
    return text;
}

QMap<QString, TEntry> ReadTs(const QString& path, QMap<QString, TEntry> out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"source") source = ReadText(xml);
        if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            TEntry e;
            e.Finished = type.isEmpty();
            e.Translation = ReadText(xml);
            if (!out.contains(source) || (e.Finished && !out[source].Finished)) out[source] = e;
        }
    }
    return out;
}

// Reads the translation sources into one map; a finished text in any of them wins.
QMap<QString, TEntry> ReadTs(const QStringList& paths, QMap<QString, TEntry> out = {}) {
    for (const QString& path : paths) out = ReadTs(path, out);
    return out;
}

QStringList Placeholders(const QString& text) {
    static const QRegularExpression re(R"(%(?:%|\d+:-?\d*(?:\.\d+)?[dusfgnxe]|-?\d*(?:\.\d+)?[dusfgnxe]|\d+))",
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto it = re.globalMatch(text); it.hasNext();) out << it.next().captured(0);
    out.sort();
    return out;
}


// A string literal of a source file: where it starts and its text (escapes kept as written).
struct TLiteral {
    int Line = 0;
    qsizetype Start = 0;
    QString Text;
};

// The string literals of C++ source text, comments, character literals and raw strings read the
// way the compiler reads them. Adjacent literals ("a" "b") come as one; u"", U"" and L"" literals
// (characters, not texts) are left out.
QList<TLiteral> StringLiterals(const QString& src) {
    QList<TLiteral> out;
    int line = 1;
    qsizetype lastEnd = -1;
    for (qsizetype i = 0; i < src.size();) {
        const QChar c = src[i];
        if (c == '\n') { ++line; ++i; continue; }
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
            while (i < src.size() && src[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
            const qsizetype end = src.indexOf("*/", i + 2);
            const qsizetype stop = end < 0 ? src.size() : end + 2;
            line += int(src.mid(i, stop - i).count('\n'));
            i = stop;
            continue;
        }
        if (c == '\'') {
            for (++i; i < src.size() && src[i] != '\''; ++i)
                if (src[i] == '\\') ++i;
            ++i;
            continue;
        }
        if (c == 'R' && i + 1 < src.size() && src[i + 1] == '"') {
            const qsizetype open = src.indexOf('(', i);
            const QString close = ")" + src.mid(i + 2, open - i - 2) + "\"";
            const qsizetype end = src.indexOf(close, open);
            const qsizetype stop = end < 0 ? src.size() : end + close.size();
            line += int(src.mid(i, stop - i).count('\n'));
            i = stop;
            continue;
        }
        if (c == '"') {
            const bool wide = i > 0 && (src[i - 1] == 'u' || src[i - 1] == 'U' || src[i - 1] == 'L');
            const qsizetype start = i;
            for (++i; i < src.size() && src[i] != '"' && src[i] != '\n'; ++i)
                if (src[i] == '\\') ++i;
            ++i;
            const QString text = src.mid(start + 1, i - start - 2);
            const bool adjacent = lastEnd >= 0 && !out.isEmpty() && src.mid(lastEnd, start - lastEnd).trimmed().isEmpty();
            if (!wide && adjacent) out.last().Text += text;
            else if (!wide) out.append({line, start, text});
            lastEnd = wide ? -1 : i;
            continue;
        }
        ++i;
    }
    return out;
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void EnglishModuleTranslatesEverySourceText() {
        QTemporaryDir dir;
        const QString fresh = dir.filePath("fresh.ts");
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(VELMORA_LUPDATE, {"-silent", "-locations", "none", "-tr-function-alias", VELMORA_LUPDATE_ALIASES,
                                        VELMORA_SOURCE_DIR "/src/core", VELMORA_SOURCE_DIR "/src/gui",
                                        VELMORA_SOURCE_DIR "/src/cli", "-ts", fresh});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        // A marked text lupdate cannot place (a Tr() outside any namespace or class) would be missed.
        const QString output = QString::fromUtf8(lupdate.readAll());
        QVERIFY2(!output.contains("cannot be called without context"), qPrintable(output));
        const auto found = ReadTs(fresh, {});
        QVERIFY2(found.size() > 100, "lupdate found almost no texts");
        // The module is compiled from the main source and the sources of single pages.
        const auto english = ReadTs(QString(VELMORA_ENGLISH_TS).split('|', Qt::SkipEmptyParts));
        QStringList missing, unfinished, placeholders;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            const QString& source = it.key();
            if (!english.contains(source)) {
                missing << source;
                continue;
            }
            const TEntry& e = english[source];
            if (!e.Finished || e.Translation.isEmpty()) unfinished << source;
            else if (Placeholders(source) != Placeholders(e.Translation))
                placeholders << source + " -> " + e.Translation;
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in the English module (run the target velmora_lupdate):\n" + missing.join('\n')));
        QVERIFY2(unfinished.isEmpty(), qPrintable("without a finished English text:\n" + unfinished.join('\n')));
        QVERIFY2(placeholders.isEmpty(), qPrintable("placeholders differ:\n" + placeholders.join('\n')));
    }

    // Every Russian text of the desktop program, the command line and the engine is either marked
    // for translation (tr(), Tr(), TrNoop(), QT_TR_NOOP(), QT_TRANSLATE_NOOP(), translate()) or marked as a
    // text that is never translated (NoTr(): stored in the product's files or machine-readable).
    // The catalog server is a program of its own whose replies are data for the client.
    void NoRussianTextOutsideTranslation() {
        static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        static const QRegularExpression marker(
            "(?:\\bTr|\\bTrNoop|\\bNoTr|\\btr|\\bQT_TR_NOOP|\\bQT_TRANSLATE_NOOP|\\btranslate)\\s*\\(\\s*(?:\"[^\"]*\"\\s*,\\s*)?$");
        QStringList unmarked;
        for (const char* dir : {"/src/core", "/src/gui", "/src/cli"}) {
            QDirIterator it(QString(VELMORA_SOURCE_DIR) + dir, {"*.cpp", "*.h"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile f(path);
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QString src = QString::fromUtf8(f.readAll());
                for (const TLiteral& lit : StringLiterals(src)) {
                    if (!lit.Text.contains(cyrillic)) continue;
                    const qsizetype from = std::max<qsizetype>(0, lit.Start - 80);
                    if (marker.match(src.mid(from, lit.Start - from)).hasMatch()) continue;
                    unmarked << QString("%1:%2: \"%3\"").arg(path.mid(QString(VELMORA_SOURCE_DIR).size() + 1))
                                    .arg(lit.Line).arg(lit.Text.left(70));
                }
            }
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable("Russian texts neither translated nor marked NoTr():\n" +
                                                unmarked.join('\n')));
    }

    // The literal reading itself.
    void StringLiteralsOfSource() {
        const QString src = QString::fromUtf8(
            "// \"в комментарии\"\n"
            "char q = '\"'; auto a = Tr(\"один\"\n  \" два\");\n"
            "/* \"в блоке\" */ auto b = u\"ЙЦУ\"; auto r = R\"x(\"сырой\")x\"; auto c = \"три\\\"\";\n");
        const auto lits = StringLiterals(src);
        QCOMPARE(lits.size(), 2);
        QCOMPARE(lits[0].Text, QString::fromUtf8("один два"));
        QCOMPARE(lits[0].Line, 2);
        QCOMPARE(lits[1].Text, QString::fromUtf8("три\\\""));
        QCOMPARE(lits[1].Line, 4);
    }

    // The placeholder reading itself, on the forms the product's templates use.
    void PlaceholdersOfTemplates() {
        const struct {
            const char* Text;
            QStringList Expected;
        } cases[] = {
            {"Ставок: %d", {"%d"}},
            {"Файл \"%s\"!\r\r%s", {"%s", "%s"}},
            {"%0:d позиции, %1:s", {"%0:d", "%1:s"}},
            {"завершено %.0f %% из %.3d", {"%%", "%.0f", "%.3d"}},
            {"Фильтр %1", {"%1"}},
            {"без подстановок", {}},
        };
        for (const auto& c : cases) {
            QStringList expected = c.Expected;
            expected.sort();
            QCOMPARE(Placeholders(QString::fromUtf8(c.Text)), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TranslationsTest)
#include "translations_test.moc"
