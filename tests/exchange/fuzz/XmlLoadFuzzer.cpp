// Any file handed to XmlDocument::LoadFile is read, walked and written back without a fault.
#include "exchange/XmlDocument.h"
#include "FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static FuzzWorkspace workspace;
    XmlDocument document;
    if (document.LoadFile(workspace.Input(data, size))) {
        // Walk the first two levels the way the readers do, then write the document out again.
        while (document.FindElement(L"item") || document.FindElement(L"profile") || document.FindElement(L"macro")) {
            document.GetAttribute(L"value");
            if (document.EnterElement()) {
                document.FindElement(L"item");
                document.GetIntAttribute(L"index");
                document.LeaveElement();
            }
        }
        document.GetDocumentText();
    }
    return 0;
}
