// Printing from the real window: the selected protocol exported, handed to the current model's
// substitute print module (which records what it was given) and removed again; the boxes of
// every failure.
#include "KelvarTesting.h"

#include "Application.h"
#include "BoxCatcher.h"
#include "Files.h"
#include "GuiTesting.h"
#include "PrintModulePaths.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using guitest::Ansi;
using guitest::BoxIcon;
using kelvartest::ExportFile;
using kelvartest::ExportFolderEntries;
using kelvartest::Model;
using kelvartest::PrintModuleName;
using kelvartest::Sealed;
using kelvartest::Window;
using support::ReadFile;

namespace {

const std::string name40 = "0a1b2c3d4e5f60718293a4b5c6d7e8f9";
const std::string name60 = "f9e8d7c6b5a4938271605f4e3d2c1b0a";
const char* const CannotExportText = u8"Nepodařilo se vytvořit soubor protokolu.";

// A row whose document is stored as the stations store it.
fixtures::Protocol Row(int id, std::optional<std::string> name, const std::string& document)
{
    return kelvartest::DocumentRow(id, std::move(name), fixtures::zlibSegments(document));
}

// The substitute modules, copied into folders of this test program, so that their record
// files are its own.
class PrintTest : public kelvartest::BrowserTestCatchingBoxes {
protected:
    void SetUp() override
    {
        BrowserTestCatchingBoxes::SetUp();
        for (const std::string& folder : {modules_, noErrorText_, empty_})
            support::MakeParentFolders(folder);  // makes the folder itself, whose path ends in a separator
        for (Model model : {Model::KX40, Model::KX60}) {
            const std::string dll = PrintModuleName(model) + ".dll";
            ASSERT_TRUE(CopyFileA(support::WindowsPath(TABULON_PRINTMODULES_DIR + dll).c_str(),
                                  (modules_ + dll).c_str(), FALSE));
        }
        ASSERT_TRUE(CopyFileA(support::WindowsPath(TABULON_PRINTMODULES_NOERRTEXT_DIR "PrintKX40CZE.dll").c_str(),
                              (noErrorText_ + "PrintKX40CZE.dll").c_str(), FALSE));
    }

    // The calls a module recorded, one line each.
    std::string Calls(Model model, const std::string& folder = std::string()) const
    {
        return ReadFile((folder.empty() ? modules_ : folder) + PrintModuleName(model) + ".calls.txt");
    }
    std::string Handed(Model model) const
    {
        return ReadFile(modules_ + PrintModuleName(model) + ".last.bin");
    }
    void FailWith(Model model, const std::string& text, const std::string& folder = std::string())
    {
        support::WriteFile((folder.empty() ? modules_ : folder) + PrintModuleName(model) + ".fail.txt", text);
    }

    // The call a module records for the export file of `name`.
    static std::string Call(const std::string& name)
    {
        return ExportFile(name) + "\t1\t1\t1\t0\t0\r\n";
    }

    // Lists every protocol of the current model and selects the first line.
    void SearchAndSelect(TfrmSearchMain& f)
    {
        RunSearch();
        ASSERT_GT(f.lvProtocols->Items->Count, 0);
        guitest::ClickLine(f.lvProtocols, 0);
        ASSERT_TRUE(f.lvProtocols->Items->Item[0]->Selected);
    }

    // KX40's database with the rows and its print module from `folder`, the window shown on
    // them and the first protocol selected.
    Window& ShowSelected(const std::vector<fixtures::Protocol>& rows, const std::string& folder)
    {
        UsePrintModules(Model::KX40, folder);
        Window& window = ShowOn(rows);
        SearchAndSelect(*window);
        return window;
    }

    support::ScratchFolder work_{"print"};
    const std::string modules_ = work_.File("modules") + "\\";
    const std::string noErrorText_ = work_.File("noerrtext") + "\\";
    const std::string empty_ = work_.File("empty") + "\\";
    const std::string document_ = kelvartest::Document(5000, 11);
};

}  // namespace

TEST_F(PrintTest, ASuccessfulPrintShowsNoBoxAndLeavesNoFile)
{
    Window& window = ShowSelected({Row(1, name40, document_)}, modules_);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(Call(name40), Calls(Model::KX40));
    EXPECT_EQ(Sealed(document_), Handed(Model::KX40));
    EXPECT_TRUE(support::FileExists(modules_ + "PrintKX40CZE.printed.txt"));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, WithNoLineSelectedNothingIsPrinted)
{
    Window& window = ShowSelected({Row(1, name40, document_)}, modules_);
    guitest::ClickEmptySpace(window->lvProtocols);
    ASSERT_FALSE(window->lvProtocols->Items->Item[0]->Selected);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, AFailedPrintShowsTheModulesTextAndStillRemovesTheFile)
{
    // "Tiskárna není připojena."
    const std::string text = "Tisk\xE1rna nen\xED p\xF8ipojena.";
    FailWith(Model::KX40, text);
    Window& window = ShowSelected({Row(1, name40, document_)}, modules_);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly("Chyba", text, BoxIcon::Stop));
    EXPECT_EQ(Call(name40), Calls(Model::KX40));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, AModuleWithoutItsErrorTextGivesABoxWithoutText)
{
    FailWith(Model::KX40, "not shown", noErrorText_);
    Window& window = ShowSelected({Row(1, name40, document_)}, noErrorText_);
    ASSERT_NE(nullptr, TfrmSearchMainTestAccess::PrintProtocolKX40(*window));
    ASSERT_EQ(nullptr, TfrmSearchMainTestAccess::GetLastErrorMsgKX40(*window));

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly("Chyba", "", BoxIcon::Stop));
    EXPECT_EQ(Call(name40), Calls(Model::KX40, noErrorText_));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, AMissingModuleIsReportedAndTheFileStays)
{
    UsePrintModules(Model::KX60, modules_);  // the other model's module is there
    Window& window = ShowSelected({Row(1, name40, document_)}, empty_);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly("Chyba", Ansi(u8"Nepodařilo se inicializovat tiskový modul."),
                                 BoxIcon::Exclamation));
    EXPECT_EQ(Sealed(document_), ReadFile(ExportFile(name40)));
    EXPECT_EQ("", Calls(Model::KX60));
}

TEST_F(PrintTest, EachTabPrintsThroughItsOwnModelsModule)
{
    const std::string document60 = kelvartest::Document(3000, 60);
    Store(Model::KX60, {Row(2, name60, document60)});
    UsePrintModules(Model::KX60, modules_);
    Window& window = ShowSelected({Row(1, name40, document_)}, modules_);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(Call(name40), Calls(Model::KX40));
    EXPECT_EQ(Sealed(document_), Handed(Model::KX40));
    EXPECT_EQ("", Calls(Model::KX60));

    ASSERT_TRUE(guitest::PickTab(window->pcApplications, window->shtKX60));
    ASSERT_EQ(2, TfrmSearchMainTestAccess::currentModel(*window));
    SearchAndSelect(*window);
    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(Call(name60), Calls(Model::KX60));
    EXPECT_EQ(Sealed(document60), Handed(Model::KX60));
    EXPECT_EQ(Call(name40), Calls(Model::KX40));

    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, AProtocolThatCannotBeExportedIsReportedAndNotPrinted)
{
    Window& window = ShowSelected({Row(1, std::string("..\\outside"), document_)}, modules_);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly("Chyba", Ansi(CannotExportText), BoxIcon::Exclamation));
    EXPECT_EQ("", Calls(Model::KX40));
}

TEST_F(PrintTest, ADatabaseErrorDuringTheExportReachesTheErrorBoxAndLeavesNoFile)
{
    Window& window = ShowSelected({Row(1, name40, "")}, modules_);  // a blob without segments

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly(std::string(Application->Title), ForeignExceptionText, BoxIcon::Stop));
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(PrintTest, OnlyARowWithoutIdIsRefusedAndTheRowWithIdZeroPrints)
{
    // Both are listed with id 0: printing the one without ID must not hand the other to the
    // printer, and the one really stored with ID 0 is a protocol like any other.
    fixtures::Protocol withoutId = Row(0, name40, document_);
    withoutId.id.reset();
    const std::string document0 = kelvartest::Document(900, 0);
    Window& window = ShowSelected({withoutId, Row(0, name60, document0)}, modules_);
    ASSERT_EQ(2, window->lvProtocols->Items->Count);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_TRUE(boxes.CaughtOnly("Chyba", Ansi(CannotExportText), BoxIcon::Exclamation));
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(ExportFolderEntries().empty());

    guitest::ClickLine(window->lvProtocols, 1);
    ASSERT_TRUE(window->lvProtocols->Items->Item[1]->Selected);
    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(Call(name60), Calls(Model::KX40));
    EXPECT_EQ(Sealed(document0), Handed(Model::KX40));
    EXPECT_TRUE(ExportFolderEntries().empty());
}
