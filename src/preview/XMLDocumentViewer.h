#pragma once
// The viewer behind a report's PreviewXML: the report's pages in a preview
// window that takes the report's own preview settings, modal or not.

namespace zt::preview {

// Registers the viewer with the engine (RegisterStandardPreview does so).
void RegisterXMLDocumentViewer();

} // namespace zt::preview
