#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <string>

#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtRegistryStore.h"

namespace corsel {

class PlatformAdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void registryRoundTripsEveryText_data();
    void registryRoundTripsEveryText();
    void registryKeepsHivesAndKeysApart();
    void registryOpensAMissingKeyOnlyWhenCreating();
    void registryDeletesValues();
    void registryReadsHandEditedValuesAsText();
    void registryReportsAFileItCannotWrite();
    void registryLivesInTheUserConfigurationFolder();

    void lockKeepsASecondCopyOutUntilReleased();
    void lockIsNotBlockedByACrashedCopy();
    void lockIsBlockedByAnotherRunningProgram();

private:
    // A store over a copy of the file: QSettings keeps the files it wrote in
    // memory, the copy makes it parse what is on disk.
    RegistryStore::Values valuesOnDisk(const QString& file, RegistryHive hive,
                                       const std::string& key);
    QString iniFile(const QString& name) const { return folder_.filePath(name); }
    void writeFile(const QString& path, const QByteArray& contents);

    QTemporaryDir folder_;
    QTemporaryDir lockFolder_;
    int copies_ = 0;
};

namespace {

constexpr auto kMachine = RegistryHive::LocalMachine;
constexpr auto kUser = RegistryHive::CurrentUser;
const std::string kKey = "Software\\Orvintel\\Tarquell for Honda";

}  // namespace

void PlatformAdaptersTest::initTestCase() {
    QVERIFY(folder_.isValid());
    QVERIFY(lockFolder_.isValid());
    qputenv("TMPDIR", lockFolder_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", folder_.filePath(QStringLiteral("config")).toLocal8Bit());
}

RegistryStore::Values PlatformAdaptersTest::valuesOnDisk(const QString& file, RegistryHive hive,
                                                         const std::string& key) {
    const QString copy = iniFile(QStringLiteral("copy%1.ini").arg(++copies_));
    if (!QFile::copy(file, copy)) {
        return {{"copy failed", ""}};
    }
    QtRegistryStore store(copy);
    return store.openKey(hive, key, false).value_or(RegistryStore::Values{{"missing", ""}});
}

void PlatformAdaptersTest::writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

void PlatformAdaptersTest::registryRoundTripsEveryText_data() {
    QTest::addColumn<QByteArray>("value");
    QByteArray controls;
    for (char code = 1; code < 32; ++code) {
        controls += code;
    }
    QByteArray options;
    for (char code = 1; code <= 101; ++code) {
        options += code;
    }
    QTest::newRow("control characters") << controls;
    QTest::newRow("control before hex digits") << QByteArray(
        "\x01"
        "1a\x02"
        "F\x1f"
        "0");
    QTest::newRow("option bytes") << options;
    QTest::newRow("comma") << QByteArray("a,b");
    QTest::newRow("leading space") << QByteArray(" lead");
    QTest::newRow("trailing space") << QByteArray("trail ");
    QTest::newRow("INI punctuation") << QByteArray("=;#[]\\\"");
    QTest::newRow("escape-like text") << QByteArray("\\x41\\n%20");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("at sign") << QByteArray("@Invalid()");
    QTest::newRow("UTF-8") << QByteArray("Türkçe Генератор °C");
    QTest::newRow("delete") << QByteArray("\x7f");
}

void PlatformAdaptersTest::registryRoundTripsEveryText() {
    QFETCH(QByteArray, value);
    const QString file = iniFile(QStringLiteral("roundtrip.ini"));
    QFile::remove(file);
    QtRegistryStore store(file);
    QVERIFY(store.openKey(kMachine, kKey, true).has_value());
    QVERIFY(store.writeValue(kMachine, kKey, "Settings", value.toStdString()));

    const RegistryStore::Values expected{{"Settings", value.toStdString()}};
    QCOMPARE(store.openKey(kMachine, kKey, false), std::optional(expected));
    QCOMPARE(valuesOnDisk(file, kMachine, kKey), expected);
}

void PlatformAdaptersTest::registryKeepsHivesAndKeysApart() {
    const QString file = iniFile(QStringLiteral("hives.ini"));
    QtRegistryStore store(file);
    QVERIFY(store.writeValue(kMachine, kKey, "Language2", "machine"));
    QVERIFY(store.writeValue(kUser, kKey, "Language2", "user"));
    QVERIFY(store.writeValue(kMachine, "Software\\Orvintel", "Language2", "parent"));

    QCOMPARE(valuesOnDisk(file, kMachine, kKey), (RegistryStore::Values{{"Language2", "machine"}}));
    QCOMPARE(valuesOnDisk(file, kUser, kKey), (RegistryStore::Values{{"Language2", "user"}}));
    // The parent key's values only, not its child's.
    QCOMPARE(valuesOnDisk(file, kMachine, "Software\\Orvintel"),
             (RegistryStore::Values{{"Language2", "parent"}}));
    QFile contents(file);
    QVERIFY(contents.open(QIODevice::ReadOnly));
    const QByteArray text = contents.readAll();
    QVERIFY(text.contains("[HKEY_LOCAL_MACHINE]"));
    QVERIFY(text.contains("[HKEY_CURRENT_USER]"));
}

void PlatformAdaptersTest::registryOpensAMissingKeyOnlyWhenCreating() {
    const QString file = iniFile(QStringLiteral("missing.ini"));
    QtRegistryStore store(file);
    QCOMPARE(store.openKey(kMachine, kKey, false), std::nullopt);
    QCOMPARE(store.openKey(kMachine, kKey, true), std::optional(RegistryStore::Values{}));
    QCOMPARE(store.openKey(kMachine, kKey, false), std::optional(RegistryStore::Values{}));
    QCOMPARE(store.openKey(kUser, kKey, false), std::nullopt);
    QCOMPARE(store.openKey(kMachine, "Software\\Orvintel\\Tarquell", false), std::nullopt);
}

void PlatformAdaptersTest::registryDeletesValues() {
    const QString file = iniFile(QStringLiteral("delete.ini"));
    QtRegistryStore store(file);
    QVERIFY(store.writeValue(kMachine, kKey, "FAQ", "1005"));
    QVERIFY(store.writeValue(kMachine, kKey, "Language2", "\x02"));
    QVERIFY(store.deleteValue(kMachine, kKey, "Language2"));
    QVERIFY(!store.deleteValue(kMachine, kKey, "Language2"));
    QVERIFY(!store.deleteValue(kUser, kKey, "FAQ"));
    QCOMPARE(valuesOnDisk(file, kMachine, kKey), (RegistryStore::Values{{"FAQ", "1005"}}));
}

void PlatformAdaptersTest::registryReadsHandEditedValuesAsText() {
    const QString file = iniFile(QStringLiteral("hand.ini"));
    writeFile(file,
              "[HKEY_LOCAL_MACHINE]\n"
              "Software\\Orvintel\\Tarquell%20for%20Honda\\Bytes=@ByteArray(abc)\n"
              "Software\\Orvintel\\Tarquell%20for%20Honda\\Folder=\"/media/a, b\"\n"
              "Software\\Orvintel\\Tarquell%20for%20Honda\\List=a, b\n"
              "Software\\Orvintel\\Tarquell%20for%20Honda\\Number=12\n"
              "Software\\Orvintel\\Tarquell%20for%20Honda\\Point=@Point(1 2)\n");
    QtRegistryStore store(file);
    // Values that QSettings reads as other types are not texts: they count as
    // missing, and the program writes its default in their place.
    QCOMPARE(store.openKey(kMachine, kKey, false),
             std::optional(RegistryStore::Values{
                 {"Folder", "/media/a, b"}, {"List", "a,b"}, {"Number", "12"}}));
}

void PlatformAdaptersTest::registryReportsAFileItCannotWrite() {
    const QString blocker = iniFile(QStringLiteral("not-a-folder"));
    writeFile(blocker, "a file where a folder should be");
    QtRegistryStore store(blocker + QStringLiteral("/settings.ini"));
    QVERIFY(!store.writeValue(kMachine, kKey, "FAQ", "1005"));
}

void PlatformAdaptersTest::registryLivesInTheUserConfigurationFolder() {
    const QString expected =
        folder_.filePath(QStringLiteral("config/corsel-diagnostic-system/settings.ini"));
    QCOMPARE(QtRegistryStore::defaultFilePath(), expected);
    QtRegistryStore store;
    QVERIFY(store.writeValue(kUser, kKey, "InstallDir", "/opt/corsel/"));
    QVERIFY(QFile::exists(expected));
}

void PlatformAdaptersTest::lockKeepsASecondCopyOutUntilReleased() {
    QtInstanceLock first;
    QtInstanceLock second;
    QVERIFY(first.acquire("Veltrane Orvintel"));
    QVERIFY(QFile::exists(lockFolder_.filePath(QStringLiteral("Veltrane Orvintel.lock"))));
    QVERIFY(!second.acquire("Veltrane Orvintel"));
    {
        QtInstanceLock other;
        QVERIFY(other.acquire("Another\\name/with separators"));
    }
    first.release();
    QVERIFY(second.acquire("Veltrane Orvintel"));
    QVERIFY(!first.acquire("Veltrane Orvintel"));
}

void PlatformAdaptersTest::lockIsNotBlockedByACrashedCopy() {
    const QString path = lockFolder_.filePath(QStringLiteral("crashed.lock"));
    // QLockFile's own format: process, program name, host.
    writeFile(path,
              "999999\ncorsel-diagnostic-system\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    QtInstanceLock lock;
    QVERIFY(lock.acquire("crashed"));
}

void PlatformAdaptersTest::lockIsBlockedByAnotherRunningProgram() {
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(sleeper.waitForStarted());
    const QString path = lockFolder_.filePath(QStringLiteral("running.lock"));
    writeFile(path, QByteArray::number(sleeper.processId()) + "\nsleep\n" +
                        QSysInfo::machineHostName().toUtf8() + "\n");
    QtInstanceLock lock;
    QVERIFY(!lock.acquire("running"));
    sleeper.kill();
    sleeper.waitForFinished();
    QVERIFY(lock.acquire("running"));
}

}  // namespace corsel

QTEST_GUILESS_MAIN(corsel::PlatformAdaptersTest)
#include "PlatformAdaptersTest.moc"
