#pragma once
// The support address quoted by every "please contact us" message, the
// language manager's and the start-up error report's alike.

constexpr const char* kEmailSuporte = "suporte@zelmora.com.br";
