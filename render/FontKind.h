#pragma once

enum class FontKind { Heading = 0, Text = 1, TextBold = 2, Accent = 3 };
