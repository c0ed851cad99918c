#include "LinkVisit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records every open and answers with the next of the given results.
struct ScriptedOpener {
    std::vector<bool> results;
    std::vector<QString> opened;

    LinkVisit::Opener Function() {
        return [this](const QString& target) {
            opened.push_back(target);
            const bool result = results.at(opened.size() - 1);
            return result;
        };
    }
};

TEST(LinkVisitTest, ALinkWithoutTargetOpensItsTextAndKeepsIt) {
    LinkVisit visit;
    ScriptedOpener opener{{true, true}, {}};

    EXPECT_EQ(visit.Click(QStringLiteral("melvora.example"), opener.Function()),
              LinkVisit::Outcome::Opened);
    EXPECT_EQ(visit.Target(), QStringLiteral("melvora.example"));
    visit.Click(QStringLiteral("changed text"), opener.Function());

    EXPECT_EQ(opener.opened, (std::vector<QString>{QStringLiteral("melvora.example"),
                                                   QStringLiteral("melvora.example")}));
}

TEST(LinkVisitTest, NeitherTargetNorTextOpensNothing) {
    LinkVisit visit;
    ScriptedOpener opener;

    EXPECT_EQ(visit.Click(QString(), opener.Function()), LinkVisit::Outcome::NothingToOpen);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_FALSE(visit.Visited());
}

TEST(LinkVisitTest, AGivenTargetWinsOverTheText) {
    LinkVisit visit(QStringLiteral("https://melvora.example/"));
    ScriptedOpener opener{{true}, {}};

    visit.Click(QStringLiteral("Our web site"), opener.Function());

    EXPECT_EQ(opener.opened, std::vector<QString>{QStringLiteral("https://melvora.example/")});
}

TEST(LinkVisitTest, OnceOpenedALinkStaysVisitedWhateverFollows) {
    LinkVisit visit(QStringLiteral("https://melvora.example/"));
    ScriptedOpener opener{{false, true, true, false}, {}};

    EXPECT_EQ(visit.Click(QString(), opener.Function()), LinkVisit::Outcome::Failed);
    EXPECT_FALSE(visit.Visited());
    EXPECT_EQ(visit.Click(QString(), opener.Function()), LinkVisit::Outcome::Opened);
    EXPECT_EQ(visit.Click(QString(), opener.Function()), LinkVisit::Outcome::Opened);
    EXPECT_EQ(visit.Click(QString(), opener.Function()), LinkVisit::Outcome::Failed);
    EXPECT_TRUE(visit.Visited());
}

} // namespace
