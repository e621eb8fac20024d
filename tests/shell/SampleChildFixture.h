// A test fixture with an application opened on the sample drawing and its drawing window at hand.
#pragma once

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <memory>

#include "shell/ChildFrame.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"

class CSampleChildFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_pApp = std::make_unique<CKestrovelApp>(
            CQtSettingsStore::ForFile(m_dir.filePath(QStringLiteral("k.ini")), CKestrovelApp::kRecentFiles));
        ASSERT_TRUE(m_pApp->InitInstance({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")}));
        m_pChild = dynamic_cast<CChildFrame*>(m_pApp->GetMainFrame()->Mdi()->subWindowList().first());
        ASSERT_NE(m_pChild, nullptr);
    }
    QTemporaryDir m_dir;
    std::unique_ptr<CKestrovelApp> m_pApp;
    CChildFrame* m_pChild = nullptr;
};
