// The English module is whole: lupdate over the sources finds every text marked for translation
// (tr(), Tr(), TrNoop()), and each of them has a finished English text in the translation source
// that keeps the placeholders ("%d", "%s", "%0:d", "%.2f", "%1", "%%") of the Russian text.
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
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
