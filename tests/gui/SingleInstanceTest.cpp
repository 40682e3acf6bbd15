#include "gui/shell/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using kardel::gui::SingleInstance;

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

    void theSocketFolderIsPrivateToTheUser() {
        // Without a usable runtime folder the sockets go to a folder of the user's own under
        // the temporary folder, never to one shared with others.
        const QString tmp = m_dir.filePath("tmp");
        QDir(m_dir.path()).mkpath("tmp");
        qputenv("TMPDIR", tmp.toUtf8());
        const QString own = tmp + QStringLiteral("/kardel-%1").arg(::geteuid());
        const QString open = m_dir.filePath("open");
        QDir(m_dir.path()).mkpath("open");
        QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                        QFile::ExeOther);
        const QString aFile = Copy("not-a-folder.kdl");
        struct Row {
            const char* runtime; // nullptr: unset
            QString expected;
            std::function<void()> before;
        } rows[] = {
            {nullptr, own, {}},
            {"", own, {}},
            {"relative/run", own, {}},
            {"FILE", own, {}},
            {"OPEN", own, {}},
            {"RUN", m_dir.filePath("run/kardel-instances"), {}},
            // A folder of ours that others could enter is closed up.
            {nullptr, own,
             [&] {
                 QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::ExeGroup);
             }},
            // A link put in its place is not followed: no hand-over at all.
            {nullptr, QString(),
             [&] {
                 QDir(own).removeRecursively();
                 QFile::link(open, own);
             }},
        };
        for (const Row& row : rows) {
            if (row.before)
                row.before();
            if (!row.runtime)
                qunsetenv("XDG_RUNTIME_DIR");
            else if (QByteArray(row.runtime) == "FILE")
                qputenv("XDG_RUNTIME_DIR", aFile.toUtf8());
            else if (QByteArray(row.runtime) == "OPEN")
                qputenv("XDG_RUNTIME_DIR", open.toUtf8());
            else if (QByteArray(row.runtime) == "RUN")
                qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
            else
                qputenv("XDG_RUNTIME_DIR", row.runtime);
            const QString folder = SingleInstance::Folder();
            QCOMPARE(folder, row.expected);
            if (folder.isEmpty())
                continue;
            struct stat st {};
            QCOMPARE(::lstat(folder.toUtf8().constData(), &st), 0);
            QVERIFY(S_ISDIR(st.st_mode));
            QCOMPARE(st.st_uid, ::geteuid());
            QCOMPARE(st.st_mode & 0777, 0700u);
        }
        QVERIFY(!QFileInfo::exists(open + "/kardel-instances"));
        QFile::remove(own);
        qunsetenv("TMPDIR");
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
    }

    void anOverlongLineClosesTheConnection() {
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
        SingleInstance holder;
        QVERIFY(holder.Listen([](const QString& path) { return path == "/docs/held.kdl"; }));
        const QString name =
            SingleInstance::Folder() + QStringLiteral("/%1.sock").arg(QCoreApplication::applicationPid());
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(1000));
        socket.write(QByteArray(100 * 1024, 'A'));
        // Well before the listener's idle limit.
        QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QLocalSocket::UnconnectedState, 2000);

        QLocalSocket asker;
        asker.connectToServer(name);
        QVERIFY(asker.waitForConnected(1000));
        asker.write(QByteArray("/docs/held.kdl").toBase64() + '\n');
        QTRY_VERIFY(asker.canReadLine());
        QCOMPARE(asker.readLine(), QByteArray("1\n"));
    }

    void aStoppedInstanceHoldsANewOneUpNoLongerThanHalfASecond() {
        const QString held = Copy("stopped.kdl");
        const QProcessEnvironment env = Environment();
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
        QProcess first;
        Start(first, env, held);
        const QString socket = m_dir.filePath(QStringLiteral("run/kardel-instances/%1.sock").arg(first.processId()));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 10000);
        ::kill(pid_t(first.processId()), SIGSTOP);
        auto state = [&] {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(first.processId()));
            return stat.open(QIODevice::ReadOnly) ? stat.readAll().split(' ').value(2) : QByteArray();
        };
        QTRY_COMPARE(state(), QByteArray("T"));
        SingleInstance asker;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!asker.OfferToOthers(held)); // it cannot answer
        const qint64 waited = timer.elapsed();
        ::kill(pid_t(first.processId()), SIGCONT);
        first.kill();
        first.waitForFinished();
        QVERIFY2(waited < 1000, qPrintable(QString::number(waited)));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
