// The modem dialogue through the real QSerialPort, against a fake Hayes
// modem on a pseudo-terminal.
#include "support/FakeModem.h"
#include "support/TestSupport.h"
#include "phone/Modem.h"

#include <QSignalSpy>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace phone;

namespace {

SerialPorts portsOf(const QStringList &devices)
{
    return SerialPorts::from({}, {}, devices);
}

Modem modemOn(const QStringList &devices)
{
    return Modem(std::make_unique<QtSerialLine>(), [devices] { return portsOf(devices); });
}

// The line open on a fake modem on port 1.
struct OpenLine {
    explicit OpenLine(FakeModem::DialReply reply = FakeModem::DialReply::Ok) : modem(modemOn({fake.device()}))
    {
        fake.dialReply = reply;
        EXPECT_EQ(modem.openForDialing(1), "");
    }
    FakeModem fake;
    Modem modem;
};

} // namespace

TEST(SerialPorts, OrderedByNameWithoutTheConsoleThenTheNamedDevices)
{
    const SerialPorts ports = SerialPorts::from(
        {"/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS0", "/dev/ttyS1"}, {"/dev/ttyS0", "/dev/tty0"},
        {"/dev/pts/4", "/dev/ttyS1", ""});
    EXPECT_EQ(ports.devices,
              QStringList({"/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0", "/dev/pts/4"}));
    EXPECT_EQ(ports.device(1), "/dev/ttyS1");
    EXPECT_EQ(ports.device(5), "/dev/pts/4");
    EXPECT_EQ(ports.device(0), "");
    EXPECT_EQ(ports.device(6), "");

    QStringList many;
    for (int i = 0; i < 20; ++i)
        many.append(QStringLiteral("/dev/ttyUSB%1").arg(i));
    EXPECT_EQ(SerialPorts::from(many, {}, {}).count(), 16);

    QTemporaryFile active;
    ASSERT_TRUE(active.open());
    active.write("tty0 ttyS0\n");
    active.flush();
    EXPECT_EQ(consoleDevices(active.fileName()), QStringList({"/dev/tty0", "/dev/ttyS0"}));
    EXPECT_TRUE(consoleDevices(QStringLiteral("/nonexistent/active")).isEmpty());
}

TEST(ModemRules, DialableNumbersPrefixAndStartProbe)
{
    const struct {
        const char *number;
        bool dialable;
    } numbers[] = {
        {"555-0100", true}, {"(937) 555-0100", true}, {"*70,555 0100#", true}, {"", false}, {"   ", false},
        {"555\r0100", false}, {"555;ATH", false}, {"ATZ", false}, {"555-0100\n", false}, {"555.0100", false},
    };
    for (const auto &n : numbers)
        EXPECT_EQ(isDialable(QString::fromLatin1(n.number)), n.dialable) << n.number;

    EXPECT_EQ(withPrefix("555-0100", true), "1-555-0100");
    EXPECT_EQ(withPrefix("1-555-0100", true), "1-555-0100");
    EXPECT_EQ(withPrefix("1-555-0100", false), "555-0100");
    EXPECT_EQ(withPrefix("555-0100", false), "555-0100");
    EXPECT_EQ(withPrefix("15-5550100", false), "15-5550100");
    EXPECT_EQ(dialCommand("1-555-0100"), QByteArray("ATDT1-555-0100;\r"));

    const SerialPorts three = portsOf({"/dev/a", "/dev/b", "/dev/c"});
    EXPECT_EQ(startProbePorts(three, 2, false), QList<int>({2}));
    EXPECT_EQ(startProbePorts(three, 2, true), QList<int>({2}));
    EXPECT_EQ(startProbePorts(three, 0, true), QList<int>({1, 2, 3}));
    EXPECT_EQ(startProbePorts(three, 0, false), QList<int>());
    EXPECT_EQ(startProbePorts(three, 4, true), QList<int>());
}

TEST(Modem, DetectionPassesOverDeadPortsAndSwitchesOnCallerId)
{
    FakeModem silent;
    silent.answersProbe = false;
    FakeModem modem;
    Modem m = modemOn({"/nonexistent/ttyX", silent.device(), modem.device()});
    QSignalSpy changed(&m, &Modem::detectionChanged);

    EXPECT_EQ(m.detect(allPorts(m.ports()), 300), 3);
    EXPECT_TRUE(m.found());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(m.statusText(), "Your Modem Comm Port Is 3.");
    EXPECT_EQ(m.portLabel(3), "COM Port # 3  (" + modem.device() + ")");
    EXPECT_EQ(silent.received(), QByteArray("AT\r"));
    ASSERT_TRUE(modem.waitForCommands(2));
    EXPECT_EQ(modem.commands(), QByteArrayList({"AT\r", "AT#CID=1\r"}));
    // The line stays open on the modem's port for the dialer.
    EXPECT_TRUE(m.line().isOpen());
    EXPECT_EQ(m.line().device(), modem.device());
    EXPECT_EQ(m.openForDialing(3), "");
}

TEST(Modem, NoModemTriesEachPortOnceAndKeepsToTheBudget)
{
    FakeModem a, b;
    a.answersProbe = b.answersProbe = false;
    Modem m = modemOn({a.device(), b.device()});
    EXPECT_EQ(m.detect(allPorts(m.ports()), 100), 0);
    EXPECT_EQ(m.statusText(), "Modem Not Detected Or In Use.");
    EXPECT_EQ(a.received(), QByteArray("AT\r"));
    EXPECT_EQ(b.received(), QByteArray("AT\r"));
    EXPECT_FALSE(m.line().isOpen());

    // Once the budget is spent no further port is begun.
    a.clear();
    b.clear();
    EXPECT_EQ(m.detect(allPorts(m.ports()), 150, 100), 0);
    EXPECT_EQ(a.received(), QByteArray("AT\r"));
    EXPECT_EQ(b.received(), QByteArray());
}

TEST(Modem, OpeningForTheDialerSaysWhyItCannot)
{
    Modem m = modemOn({"/nonexistent/ttyX"});
    EXPECT_TRUE(m.openForDialing(0).contains("No modem port is set"));
    EXPECT_TRUE(m.openForDialing(2).contains("There is no COM Port # 2"));
    EXPECT_TRUE(m.openForDialing(1).startsWith("COM Port # 1  (/nonexistent/ttyX) could not be opened"));
    EXPECT_FALSE(m.line().isOpen());
    m.hangUp(); // nothing open: nothing to do, no fault
}

TEST(DialCall, DialsWithThePrefixWaitsForOkAndHangsUpToTalk)
{
    OpenLine line;
    FakeModem &fake = line.fake;
    Modem &m = line.modem;
    DialCall call(m.line());
    QSignalSpy answered(&call, &DialCall::answered);
    EXPECT_EQ(call.dial(withPrefix("555-0100", true)), "");
    EXPECT_EQ(call.state(), DialCall::State::Dialing);
    ASSERT_TRUE(runUntil([&] { return answered.count() == 1; }));
    EXPECT_EQ(call.state(), DialCall::State::Talk);
    EXPECT_TRUE(call.modemReply().contains("OK"));
    call.talk();
    EXPECT_EQ(call.state(), DialCall::State::Ready);
    ASSERT_TRUE(fake.waitForCommands(2));
    EXPECT_EQ(fake.commands(), QByteArrayList({"ATDT1-555-0100;\r", "ATH\r"}));
    m.hangUp();
    ASSERT_TRUE(fake.waitForCommands(3));
    EXPECT_EQ(fake.commands().last(), QByteArray("ATH\r"));
    EXPECT_FALSE(m.line().isOpen());
}

TEST(DialCall, AnOAndAKInTwoReadsIsNotAnAnswer)
{
    OpenLine line(FakeModem::DialReply::Silent);
    FakeModem &fake = line.fake;
    DialCall call(line.modem.line());
    QSignalSpy answered(&call, &DialCall::answered);
    ASSERT_EQ(call.dial("555-0100"), "");
    ASSERT_TRUE(fake.waitForCommands(1));
    fake.send("\r\nO");
    ASSERT_TRUE(runUntil([&] { return call.modemReply() == "\r\nO"; }));
    fake.send("K\r\n");
    ASSERT_TRUE(runUntil([&] { return call.modemReply() == "K\r\n"; }));
    EXPECT_EQ(answered.count(), 0);
    EXPECT_EQ(call.state(), DialCall::State::Dialing);
    fake.send("\r\nOK\r\n");
    EXPECT_TRUE(runUntil([&] { return answered.count() == 1; }));
}

TEST(DialCall, TheWaitEndsAtItsLimitWithAHangUp)
{
    OpenLine line(FakeModem::DialReply::Silent);
    FakeModem &fake = line.fake;
    DialCall call(line.modem.line(), 200);
    QSignalSpy timedOut(&call, &DialCall::timedOut);
    ASSERT_EQ(call.dial("555-0100"), "");
    ASSERT_TRUE(runUntil([&] { return timedOut.count() == 1; }));
    EXPECT_EQ(call.state(), DialCall::State::Ready);
    ASSERT_TRUE(fake.waitForCommands(2));
    EXPECT_EQ(fake.commands(), QByteArrayList({"ATDT555-0100;\r", "ATH\r"}));
    EXPECT_TRUE(noAnswerText().contains("60 seconds"));
}

TEST(DialCall, NothingReachesTheModemForARefusedNumberOrAClosedLine)
{
    FakeModem fake;
    Modem m = modemOn({fake.device()});
    DialCall call(m.line());
    EXPECT_EQ(call.dial("555-0100"), "The modem's port is not open. Nothing was dialled.");
    ASSERT_EQ(m.openForDialing(1), "");
    for (const char *number : {"555-0100\r", "555;ATH", "ATZ", ""}) {
        EXPECT_FALSE(call.dial(QString::fromLatin1(number)).isEmpty()) << number;
        EXPECT_EQ(call.state(), DialCall::State::Ready);
    }
    runUntil([] { return false; }, 100);
    EXPECT_EQ(fake.received(), QByteArray());
}

TEST(DialCall, AnAnswerAfterTheCallIsGoneTouchesNothing)
{
    OpenLine line(FakeModem::DialReply::Silent);
    FakeModem &fake = line.fake;
    {
        DialCall call(line.modem.line(), 100);
        ASSERT_EQ(call.dial("555-0100"), "");
        ASSERT_TRUE(fake.waitForCommands(1));
    }
    fake.send("\r\nOK\r\n");
    runUntil([] { return false; }, 300); // the limit of the gone call passes too
    EXPECT_EQ(fake.commands(), QByteArrayList({"ATDT555-0100;\r"}));
}
