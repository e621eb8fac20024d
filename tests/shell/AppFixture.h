// A test fixture whose applications work in a temporary folder holding the sample post-processors.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <memory>

#include "GuiDriver.h"
#include "UserInput.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"

class CAppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_strOldDir = QDir::currentPath();
        ASSERT_TRUE(UseSamplePostProcessors(m_dir.path()));
    }
    void TearDown() override {
        m_pApp.reset();
        QDir::setCurrent(m_strOldDir);
    }

    // A new application keeping its settings in the folder; nothing is opened yet.
    std::unique_ptr<CKestrovelApp> MakeApp(int recentFiles = CKestrovelApp::kRecentFiles) const {
        return std::make_unique<CKestrovelApp>(
            CQtSettingsStore::ForFile(m_dir.filePath(QStringLiteral("k.ini")), recentFiles));
    }

    // m_pApp on the sample drawing, every message answered OK, its frame at that size.
    void StartOnSample(int width, int height) {
        m_pApp = MakeApp(10);
        m_pApp->Messages().SetInterceptor([](const std::string&, const std::string&, MessageIcon,
                                             MessageButtons) { return MessageAnswer::Ok; });
        ASSERT_TRUE(m_pApp->InitInstance({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")}));
        m_pApp->GetMainFrame()->resize(width, height);
        Settle();
    }

    // m_pApp on a drawing at that size (an empty one: as the frame comes up), every message
    // answered OK, its CNC window opened from the View menu and maximized (null when it is not).
    CChildProcFrame* OpenCncOn(const QString& drawing, QSize size = {1280, 900}) {
        m_pApp = MakeApp(10);
        m_pApp->Messages().SetInterceptor([](const std::string&, const std::string&, MessageIcon,
                                             MessageButtons) { return MessageAnswer::Ok; });
        if (!m_pApp->InitInstance({drawing})) {
            return nullptr;
        }
        CMainFrame& frame = *m_pApp->GetMainFrame();
        if (size.isValid()) {
            frame.resize(size);
        }
        frame.activateWindow();
        if (!QTest::qWaitForWindowExposed(&frame)) {
            return nullptr;
        }
        Settle();
        if (!UserInput::ClickMenu(frame.menuBar(), QStringLiteral("View"),
                                  QStringLiteral("CNC Programming"))) {
            return nullptr;
        }
        Settle();
        auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
        if (cnc) {
            cnc->showMaximized();
            Settle();
        }
        return cnc;
    }

    // Opens the CNC programming window of the active drawing from its command, maximized.
    CChildProcFrame* OpenCncMaximized() {
        CMainFrame& frame = *m_pApp->GetMainFrame();
        frame.Route(kCmdCncProgramming);
        auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
        if (cnc) {
            cnc->showMaximized();
            Settle();
        }
        return cnc;
    }

    QTemporaryDir m_dir;
    QString m_strOldDir;
    std::unique_ptr<CKestrovelApp> m_pApp;
};
