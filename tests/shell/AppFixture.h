// A test fixture whose applications work in a temporary folder holding the sample post-processors.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "GuiDriver.h"
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
