#include "i18n/mensagens.h"

#include "i18n/suporte.h"

namespace mensagens_idioma {

std::string arquivoCorrompido() {
    return std::string("The file of the language you have selected is corrupted. Try to reinstall your software.") +
           "\r\nIf the problem persist, please contact us: " + kEmailSuporte + ".";
}

}  // namespace mensagens_idioma
