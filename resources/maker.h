#pragma once
// Who makes Veltra and where to find them: each name is kept here once and
// used everywhere (dialogs, About texts, the printed report, the installer).
// Plain #defines so that veltra.rc can use them too. The texts are UTF-8,
// written with octal escapes beyond ASCII so that every compiler stores the
// same bytes: veltra.rc reads them as UTF-8 (#pragma code_page(65001)), and
// the program converts what it shows itself (About texts, printed credit).

#define VELTRA_MAKER_NAME "Kestrel Lane Software"
#define VELTRA_MAKER_NOTICE "Copyright \302\251 2026 Kestrel Lane Software"
#define VELTRA_WEBSITE_NAME "Kestrel Online"
#define VELTRA_WEBSITE_CAPTION "&Kestrel Online"
#define VELTRA_WEBSITE_ADDRESS "https://kestrel.example/"
#define VELTRA_SUPPORT_ADDRESS "support@kestrellane.example"
#define VELTRA_VERSION_TEXT "1.0b"
