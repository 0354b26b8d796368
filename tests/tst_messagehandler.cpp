#include "link/messagehandler.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <thread>
#include <vector>

// The handler writes to the real standard output and aborts on a fatal message, so it is
// watched from outside: this program runs itself as the child that writes.
class TestMessageHandler : public QObject
{
    Q_OBJECT

private slots:
    void prefixesAndFatalAbort();
    void linesStayWholeAcrossThreads();

private:
    static QByteArray runChild(const QString& mode, QProcess::ExitStatus* status);
};

QByteArray TestMessageHandler::runChild(const QString& mode, QProcess::ExitStatus* status)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VURE_HANDLER_CHILD", mode);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(20000);
    *status = child.exitStatus();
    return child.readAllStandardOutput();
}

void TestMessageHandler::prefixesAndFatalAbort()
{
    QProcess::ExitStatus status;
    const QByteArray out = runChild("prefixes", &status);
    QCOMPARE(out, QByteArray("Debug: x\n"
                             "Warning: careful \"quoted\"\n"
                             "Critical: bad\n"
                             "Fatal: the end\n"));
    QCOMPARE(status, QProcess::CrashExit);
}

void TestMessageHandler::linesStayWholeAcrossThreads()
{
    QProcess::ExitStatus status;
    const QByteArray out = runChild("threads", &status);
    QCOMPARE(status, QProcess::NormalExit);
    const QList<QByteArray> lines = out.split('\n');
    QCOMPARE(lines.size(), 4 * 500 + 1);
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(lines[i].startsWith("Debug: thread ") && lines[i].endsWith(" done"), lines[i]);
}

static int childMain(const QByteArray& mode)
{
    qInstallMessageHandler(messageHandler);
    if (mode == "threads") {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < 500; ++i)
                    qDebug("thread %d line %d of a longer text to interleave with done", t, i);
            });
        for (auto& thread : threads)
            thread.join();
        return 0;
    }
    qDebug("x");
    qInfo("info is not one of the four types");
    qWarning() << "careful" << QString("quoted");
    qCritical("bad");
    qFatal("the end");
    return 0;
}

int main(int argc, char** argv)
{
    const QByteArray mode = qgetenv("VURE_HANDLER_CHILD");
    if (!mode.isEmpty())
        return childMain(mode);
    QCoreApplication app(argc, argv);
    TestMessageHandler test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_messagehandler.moc"
