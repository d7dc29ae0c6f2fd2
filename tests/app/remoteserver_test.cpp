#include "app/remote/remoteserver.h"

#include "base/gbk.h"
#include "support/headlessprogram.h"
#include "support/rawhttp.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::remote;
using namespace sorvix::test;

namespace {

struct StartedProgram : HeadlessProgram
{
    StartedProgram() { start(); }
};

// The remote on the demonstration event's draw.
class RemoteServerTest : public ::testing::Test, public StartedProgram
{
protected:
    RemoteServer server{*draw};
    quint16 port = 0;

    void SetUp() override
    {
        ASSERT_TRUE(server.start(QHostAddress::LocalHost, 0));
        port = server.port();
    }
    QByteArray withKey(const char *path) const { return path + QByteArray("?k=") + server.key(); }
    int steps() const { return screen.roundsAsked; }
};

} // namespace

TEST_F(RemoteServerTest, ServesThePageTheStateAndTheNextStep)
{
    EXPECT_EQ(server.key().size(), 32);
    const Reply page = exchange(port, get(withKey("/")));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("开始"));
    EXPECT_FALSE(page.body.contains("http://")) << "the page loads nothing from elsewhere";

    const Reply state = exchange(port, get(withKey("/api/state")));
    EXPECT_EQ(state.status, 200);
    EXPECT_FALSE(state.json().value("rolling").toBool());
    EXPECT_EQ(state.json().value("status").toString(), gbk::decode(draw->screen().head));
    EXPECT_TRUE(state.json().value("status").toString().startsWith(QStringLiteral("准备抽取")));

    const Reply next = exchange(port, post(withKey("/api/next")));
    EXPECT_EQ(next.status, 200);
    EXPECT_EQ(steps(), 1);
    EXPECT_TRUE(draw->rolling());
    EXPECT_TRUE(next.json().value("rolling").toBool()) << "answered with the state after the step";

    server.busy = [] { return true; };
    EXPECT_FALSE(exchange(port, post(withKey("/api/next"))).json().value("rolling").isUndefined());
    EXPECT_EQ(steps(), 1) << "no step while the program waits for the operator";
}

TEST_F(RemoteServerTest, RefusesAnythingElse)
{
    const QByteArray wrong = "/api/next?k=" + QByteArray(32, 'a');
    for (const QByteArray &request : {get("/api/state"), get("/?k="), post(wrong), post("/api/next?x=" + server.key())})
        EXPECT_EQ(exchange(port, request), (Reply{403, {}})) << request.constData();
    EXPECT_EQ(exchange(port, post(withKey("/api/state"))).status, 405);
    EXPECT_EQ(exchange(port, get(withKey("/api/next"))).status, 405);
    EXPECT_EQ(exchange(port, "PUT " + withKey("/") + " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n").status, 405);
    EXPECT_EQ(exchange(port, get(withKey("/index.html"))).status, 404);
    EXPECT_EQ(exchange(port, get(withKey("/api/state/../next"))).status, 404);
    EXPECT_EQ(exchange(port, post(withKey("/api/next"), QByteArray(1025, 'x'))).status, 413);
    // Far too much is cut off before it is read whole.
    EXPECT_EQ(exchange(port, post(withKey("/api/next"), QByteArray(200000, 'x'))).status, 0);
    QByteArray upgrade = get(withKey("/"));
    upgrade.replace("Host: x", "Host: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==");
    EXPECT_NE(exchange(port, upgrade).status, 101);
    EXPECT_EQ(steps(), 0);
}

TEST_F(RemoteServerTest, HammeringWrongKeysIsToldToWait)
{
    QList<int> statuses;
    for (int i = 0; i < 12; ++i)
        statuses << exchange(port, get("/api/state?k=" + QByteArray::number(i))).status;
    EXPECT_EQ(statuses.mid(0, 5), QList<int>(5, 403));
    EXPECT_TRUE(statuses.contains(429));
    EXPECT_EQ(statuses.count(403) + statuses.count(429), 12);
    EXPECT_EQ(exchange(port, get(withKey("/api/state"))).status, 429) << "not even the right key tells anything";
}

TEST(RequestGateTest, WrongKeysCountForOneSecondPerSender)
{
    RequestGate gate{RemoteKey("k1")};
    const auto ask = [&](const char *sender, qint64 ms) {
        return gate.decide({"GET", "/api/state?k=no", 0, sender}, ms).status;
    };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ask("a", 100 * i), 403);
    EXPECT_EQ(ask("a", 500), 429);
    EXPECT_EQ(ask("b", 500), 403) << "another sender is not held up";
    EXPECT_EQ(ask("a", 1600), 403) << "a second later";
    EXPECT_EQ(gate.decide({"GET", "/api/state?x=1&k=k1", 0, "c"}, 1600).status, 200);
}

TEST(RemoteKeyTest, EachKeyIsNewAndOnlyMatchesItself)
{
    const RemoteKey key = RemoteKey::generate();
    EXPECT_NE(key.text(), RemoteKey::generate().text());
    EXPECT_TRUE(key.matches(key.text()));
    for (const QByteArray &other : {QByteArray(), key.text().left(31), key.text() + "0", key.text().toUpper()})
        if (other != key.text())
            EXPECT_FALSE(key.matches(other));
}

TEST(RemoteServerOff, NothingListensBeforeOrAfter)
{
    HeadlessProgram program;
    RemoteServer server(program.make());
    EXPECT_FALSE(server.isListening());
    ASSERT_TRUE(server.start(QHostAddress::LocalHost, 0));
    const quint16 port = server.port();
    const QByteArray firstKey = server.key();
    EXPECT_EQ(exchange(port, get("/?k=" + firstKey)).status, 200);
    server.stop();
    EXPECT_FALSE(server.isListening());
    EXPECT_EQ(exchange(port, get("/?k=" + firstKey)).status, 0) << "the port is closed";

    ASSERT_TRUE(server.start(QHostAddress::LocalHost, port));
    EXPECT_NE(server.key(), firstKey);
    EXPECT_EQ(exchange(server.port(), get("/?k=" + firstKey)).status, 403);
}

TEST(RemoteAddress, PrefersTheHallsOwnNetwork)
{
    const QList<QHostAddress> found{QHostAddress("127.0.0.1"), QHostAddress("169.254.3.4"), QHostAddress("fe80::1"),
                                    QHostAddress("203.0.113.5"), QHostAddress("172.20.1.9")};
    EXPECT_EQ(lanAddress(found), QHostAddress("172.20.1.9"));
    EXPECT_EQ(lanAddress(found.mid(0, 4)), QHostAddress("203.0.113.5"));
    EXPECT_TRUE(lanAddress(found.mid(0, 3)).isNull());
    EXPECT_EQ(remoteUrl(QHostAddress("192.168.1.20"), 8686, "ab"), QStringLiteral("http://192.168.1.20:8686/?k=ab"));
}
