// The fixture of the handler tests: a fresh in-memory window in its initial state, a fresh fake
// network and clock, empty process-wide state, and ConfigFilePath in a temporary folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

class HandlerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The bytes of wol.ini now, and putting bytes there.
    Bytes FileBytes() const;
    std::string FileText() const;
    void PutFile(const std::string& text) const;

    std::string folder;  // the temporary folder; removed with everything in it
};
