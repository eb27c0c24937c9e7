#pragma once

#include "TestSupport.h"
#include "core/session/Session.h"

#include <QTest>

#include <memory>

// What every test of the session without a window needs: a simulated world, recording seams,
// and a session over them whose problems are kept.
class SessionFixture
{
protected:
    std::unique_ptr<SimWorld> m_world;
    FakeIcmp m_icmp;
    FakePower m_power;
    std::unique_ptr<Session> m_session;
    QList<Problem> m_problems;

    // A new world in that state; the networked PS2 at 127.0.0.1 answers probes.
    void startWorld(const QJsonObject& state)
    {
        m_session.reset();
        m_world = std::make_unique<SimWorld>(state);
        m_icmp = FakeIcmp();
        m_icmp.status[QStringLiteral("127.0.0.1")] = 0;
        m_power = FakePower();
        newSession();
    }
    // The program started again over the same folders.
    void newSession()
    {
        m_session.reset();
        m_problems.clear();
        m_session = std::make_unique<Session>(m_world->paths(), SessionSeams{m_icmp, m_power});
        m_session->setRetryPause(20);
        QObject::connect(m_session.get(), &Session::problem, m_session.get(),
                         [this](const Problem& p) { m_problems << p; });
    }
    bool idle(int timeoutMs = 30000)
    {
        return QTest::qWaitFor([this] { return !m_session->isBusy(); }, timeoutMs);
    }
    QList<ProblemKind> kinds() const
    {
        QList<ProblemKind> k;
        for (const Problem& p : m_problems)
            k << p.kind;
        return k;
    }
};
