#pragma once
// A private folder for tunings files and a reader whose language is a map.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tunings/xml_afinacao_parser.h"

class PastaTemporaria : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        pasta_ = std::filesystem::temp_directory_path() /
                 ("quindral_tunings_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::create_directories(pasta_);
    }
    void TearDown() override { std::filesystem::remove_all(pasta_); }

    std::filesystem::path escrever(const std::string& conteudo, const std::string& nome = "Afinacoes.xml") {
        const auto caminho = pasta_ / nome;
        std::ofstream(caminho, std::ios::binary) << conteudo;
        return caminho;
    }

    // Section xmlAfinacao of the test language; other sections are empty.
    std::map<std::string, std::string> idioma_;
    XMLAfinacaoParser leitor_{[this](const std::string& secao, const std::string& chave) {
        if (secao != "xmlAfinacao") return std::string();
        const auto it = idioma_.find(chave);
        return it == idioma_.end() ? std::string() : it->second;
    }};
    std::filesystem::path pasta_;
};
