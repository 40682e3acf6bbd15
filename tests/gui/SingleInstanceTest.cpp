#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Whole programs: a second `kardel FILE` for a file a running instance holds hands it over
// and exits; a file held nowhere opens in the new instance.
class SingleInstanceTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", m_dir.filePath("run"));
        env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        return env;
    }

    QString Copy(const char* name) const {
        const QString path = m_dir.filePath(name);
        QFile::copy(QStringLiteral(KARDEL_SOURCE_DIR "/res/demo/demo.kdl"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    static void Start(QProcess& process, const QProcessEnvironment& env, const QString& file) {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KARDEL_BINARY), {file});
        QVERIFY(process.waitForStarted(10000));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath("run");
        QFile::setPermissions(m_dir.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aHeldFileIsHandedOverAndAFreeOneOpens() {
        const QString held = Copy("held.kdl");
        const QString free = Copy("free.kdl");
        const QProcessEnvironment env = Environment();
        QProcess first;
        Start(first, env, held);
        // The first instance is listening once its socket exists.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(m_dir.filePath("run/kardel-instances")).entryList(QDir::System).isEmpty(),
                                 10000);

        QProcess second;
        Start(second, env, held);
        QVERIFY2(second.waitForFinished(10000), "the second instance kept running");
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess third;
        Start(third, env, free);
        QVERIFY(!third.waitForFinished(1500)); // opened the file itself
        third.kill();
        third.waitForFinished();
        first.kill();
        first.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
