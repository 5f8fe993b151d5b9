#pragma once

#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

#include <gtest/gtest.h>

#include <memory>

// Loads the built plug-in once per test suite, as a host does.
class LoadedPlugin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        library = host::PluginLibrary::load(ZARN_PLUGIN_FILE, error).release();
        ASSERT_NE(library, nullptr) << error;
    }
    static void TearDownTestSuite() {
        delete library;
        library = nullptr;
    }

    static std::unique_ptr<host::PluginInstance> create(host::Host& host) {
        return host::PluginInstance::create(library->entry(), host);
    }

    static inline host::PluginLibrary* library = nullptr;
};
