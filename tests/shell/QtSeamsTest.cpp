// The INI settings store and the message sink.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "shell/QtMessages.h"
#include "shell/QtSettingsStore.h"

TEST(QtSettingsStore, ValuesSurviveInTheIniFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kestrovel.ini"));
    {
        auto store = CQtSettingsStore::ForFile(path, 10);
        store->WriteString("Window size", "Rect", "0010 0020 0810 0620");
        store->WriteInt("KestrovelViewState", "Active Creating Tool", 3);
        store->WriteInt("DialogBars", "ObjectDialogBarVisible", 1);
        EXPECT_EQ(store->GetInt("KestrovelViewState", "Active Creating Tool", 2), 3);
    }
    auto again = CQtSettingsStore::ForFile(path, 10);
    EXPECT_EQ(again->GetString("Window size", "Rect", ""), "0010 0020 0810 0620");
    EXPECT_EQ(again->GetInt("KestrovelViewState", "Active Creating Tool", 2), 3);
    EXPECT_EQ(again->GetInt("DialogBars", "ObjectDialogBarVisible", 0), 1);
    EXPECT_EQ(again->GetInt("DialogBars", "Missing", -7), -7);
    EXPECT_EQ(again->GetInt("Window size", "Rect", 5), 5) << "text that is no number gives the fallback";
    EXPECT_EQ(again->GetString("Document", "Delka", "none"), "none");
}

TEST(QtSettingsStore, RecentFilesKeepTheNewestTen) {
    QTemporaryDir dir;
    auto store = CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("r.ini")), 10);
    for (int i = 0; i < 12; ++i) {
        store->AddRecentFile("/parts/p" + std::to_string(i) + ".kst");
    }
    store->AddRecentFile("/parts/p5.kst");
    const std::vector<std::string> files = store->GetRecentFiles();
    ASSERT_EQ(files.size(), 10u);
    EXPECT_EQ(files[0], "/parts/p5.kst");
    EXPECT_EQ(files[1], "/parts/p11.kst");
    EXPECT_EQ(files[9], "/parts/p2.kst");
}

TEST(QtMessages, BoxesShowTheCoreCaptionAndIcon) {
    CQtMessages messages;
    QString caption;
    QString text;
    int icon = -1;
    // Reads the box while it is up, then answers it as a person would.
    QTimer::singleShot(0, [&]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    const MessageAnswer answer = messages.MessageBox("You have suplied wrong feed data", "Error",
                                                     MessageIcon::Stop, MessageButtons::YesNo);
    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_EQ(caption, QStringLiteral("Error"));
    EXPECT_EQ(text, QStringLiteral("You have suplied wrong feed data"));
    EXPECT_EQ(icon, QMessageBox::Critical);

    std::vector<std::string> seen;
    messages.SetInterceptor([&seen](const std::string& t, const std::string& c, MessageIcon, MessageButtons) {
        seen.push_back(c + ": " + t);
        return MessageAnswer::Ok;
    });
    EXPECT_EQ(messages.MessageBox("x", "PostProcesor", MessageIcon::Warning, MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(seen, (std::vector<std::string>{"PostProcesor: x"}));
    messages.Trace("Zacatek Arcu\n");
}
