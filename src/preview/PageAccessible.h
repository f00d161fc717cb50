#pragma once
// The page view as a screen reader meets it: a document named "Seite n von
// m" whose text is the shown page's text, line by line, for a reader to
// walk through.

namespace zt::preview {

// Makes every page view (TQRPreview) answer with that interface; once per process.
void InstallPageViewAccessibility();

} // namespace zt::preview
