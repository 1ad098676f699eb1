// The real TPParse and TPCombine programs, run in a temporary program directory.
#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "support/TestFiles.h"
#include "tp/TPDataCheck.h"
#include "tp/TPFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kSample = QStringLiteral(TARVIK_STAGE_DIR "/samples/TP_Sample.MDA");

enum Refusal { ShortImage, NoImage, NoRegionFile, LongName };  // the parser's, then the combiner's

QStringList intermediateFiles(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.dll")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}  // namespace

class TestTPConverters : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    Converters converters() const { return Converters(ProgramDir(m_dir->path())); }
    QByteArray sample() const { return contents(kSample); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const char *program : {"TPParse", "TPCombine"}) {
            const QString staged = ProgramDir(QStringLiteral(TARVIK_STAGE_DIR)).executable(QLatin1String(program));
            QVERIFY(QFile::copy(staged, path(QFileInfo(staged).fileName())));
        }
    }

    void sampleRoundTrip()
    {
        QVERIFY(QFile::copy(kSample, path(QStringLiteral("Sample.MDA"))));
        const RunOutcome parsed = converters().tpParse(path(QStringLiteral("Sample.MDA")));
        QVERIFY2(parsed.succeeded(), qPrintable(parsed.describe(QStringLiteral("TPParse"))));
        QCOMPARE(intermediateFiles(m_dir->path()),
                 (QStringList{"Parse_AM.dll", "Parse_AS.dll", "Parse_AT.dll", "Parse_EU.dll", "Predefine.dll"}));

        // What the editor does: load, take over into the working tables, save unchanged.
        auto tables = std::make_unique<TPTables>();
        const ProgramDir dir(m_dir->path());
        const Status loaded = TPLoadAll(dir, *tables);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        tables->copyStoredToWorking();
        // A demonstration the user can save as it is.
        const std::optional<CheckFault> fault = TPDataCheck(*tables);
        QVERIFY2(!fault, fault ? qPrintable(fault->text) : "");
        tables->copyWorkingToStored();
        QVERIFY(TPSaveAll(dir, *tables).ok());

        const RunOutcome combined = converters().tpCombine(path(QStringLiteral("Out.MDA")));
        QVERIFY2(combined.succeeded(), qPrintable(combined.describe(QStringLiteral("TPCombine"))));
        QCOMPARE(contents(path(QStringLiteral("Out.MDA"))), sample());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("setup");  // what is put into the directory first
        QTest::addColumn<QString>("message");
        QTest::newRow("parse: image one byte short") << int(ShortImage) << "262143 bytes long";
        QTest::newRow("parse: no image") << int(NoImage) << "Cannot read";
        QTest::newRow("combine: region file missing")
            << int(NoRegionFile) << "Cannot read Parse_AT.dll: there is no such file";
        QTest::newRow("combine: name too long") << int(LongName) << "longer than 32 characters";
    }
    void refusals()
    {
        QFETCH(int, setup);
        QFETCH(QString, message);
        const QString program = setup < NoRegionFile ? QStringLiteral("TPParse") : QStringLiteral("TPCombine");
        const QString image = path(QStringLiteral("Target.MDA"));
        if (setup == ShortImage)
            QVERIFY(writeWholeFile(image, sample().chopped(1)).ok());
        if (setup >= NoRegionFile) {
            // The files of the sample, broken as the row says, over an existing image.
            QVERIFY(QFile::copy(kSample, image));
            QVERIFY(converters().tpParse(image).succeeded());
            const ProgramDir dir(m_dir->path());
            if (setup == NoRegionFile)
                QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Parse_AT.dll"))));
            if (setup == LongName) {
                auto tables = std::make_unique<TPTables>();
                QVERIFY(TPLoadAll(dir, *tables).ok());
                tables->SatDataStored(2, 4).SatName = QStringLiteral("Satellite AT 05 with a long name (1504)");
                QVERIFY(TPSaveAll(dir, *tables).ok());
            }
        }
        const QStringList before = intermediateFiles(m_dir->path());
        const QByteArray imageBefore = QFile::exists(image) ? contents(image) : QByteArray();

        const RunOutcome outcome = setup < NoRegionFile ? converters().tpParse(image) : converters().tpCombine(image);
        QVERIFY(outcome.exitCode != 0);
        const QString error = QString::fromLocal8Bit(outcome.standardError);
        QVERIFY2(error.startsWith(program + QStringLiteral(": ")) && error.contains(message), qPrintable(error));
        // Nothing written: no new intermediate files, the image as it was.
        QCOMPARE(intermediateFiles(m_dir->path()), before);
        QCOMPARE(QFile::exists(image) ? contents(image) : QByteArray(), imageBefore);
    }

    // The staged code list: CR LF lines of four-digit positions, every region represented.
    void codeList()
    {
        const Result<QByteArray> text = readWholeFile(QStringLiteral(TARVIK_STAGE_DIR "/Code.bin"));
        QVERIFY(text.ok());
        QVERIFY(text.value().endsWith("\r\n"));
        QList<QByteArray> lines = text.value().split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        int europe = 0, asia = 0, atlantic = 0, america = 0;
        for (const QByteArray &line : lines) {
            QVERIFY2(line.size() == 5 && line.endsWith('\r'), line.constData());
            bool number = false;
            const int value = line.left(4).toInt(&number);
            QVERIFY2(number && value > 0 && value < 3600, line.constData());
            europe += value <= 409 || value >= 3150;
            asia += value >= 410 && value <= 1459;
            atlantic += value >= 1000 && value <= 1999;
            america += value >= 2000 && value <= 3149;
        }
        QVERIFY(europe > 10 && asia > 10 && atlantic > 10 && america > 10);
        QVERIFY(lines.contains("0192\r"));
    }

    void wrongArguments()
    {
        const RunOutcome outcome =
            RunAndWait(ProgramDir(m_dir->path()).executable(QStringLiteral("TPCombine")), {m_dir->path()});
        QCOMPARE(outcome.exitCode, 2);
        QCOMPARE(outcome.standardError, QByteArray("TPCombine: usage: TPCombine <program directory> <file.MDA>\n"));
    }
};

QTEST_GUILESS_MAIN(TestTPConverters)
#include "tst_tp_converters.moc"
