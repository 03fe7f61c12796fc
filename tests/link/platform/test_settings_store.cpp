#include "link/platform/qt_settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(QtSettingsStore, ValuesLiveUnderTheSectionAndAreSavedAtOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString path = dir.filePath("Tessaly.conf");
    {
        qt_settings_store store(path);
        EXPECT_EQ(store.value("Settings", "UseLink", "COM"), "COM");
        store.set_value("Settings", "UseLink", "USB");
        store.set_value("Settings", "ComPort", "/dev/ttyUSB0");
        // Saved now, not when the store goes away.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        EXPECT_TRUE(text.contains("[Settings]"));
        EXPECT_TRUE(text.contains("UseLink=USB"));
    }
    qt_settings_store again(path);
    EXPECT_EQ(again.value("Settings", "UseLink", "COM"), "USB");
    EXPECT_EQ(again.value("Settings", "ComPort", "COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(again.value("Settings", "ParamFile", "params.lst"), "params.lst");
}

TEST(QtSettingsStore, DefaultStoreIsTheApplicationsOwn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1);
    {
        qt_settings_store store;
        store.set_value("Settings", "ComPort", "COM7");
    }
    QFile file(dir.filePath("Quorvel Applications/Tessaly.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("ComPort=COM7"));
}

} // namespace
