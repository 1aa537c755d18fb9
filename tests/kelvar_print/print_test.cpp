// Printing from the real window: the selected protocol exported, handed to the current model's
// substitute print module (which records what it was given) and removed again; the boxes of
// every failure.
#include "KelvarTesting.h"

#include "Application.h"
#include "BoxCatcher.h"
#include "Files.h"
#include "GuiTesting.h"
#include "PrintModulePaths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using guitest::Ansi;
using guitest::BoxIcon;
using kelvartest::ExportFolder;
using kelvartest::Model;
using kelvartest::Sealed;
using support::FolderEntries;
using support::ReadFile;

namespace {

const std::string name40 = "0a1b2c3d4e5f60718293a4b5c6d7e8f9";
const std::string name60 = "f9e8d7c6b5a4938271605f4e3d2c1b0a";

// A row whose document is stored as the stations store it.
fixtures::Protocol Row(int id, std::optional<std::string> name, const std::string& document)
{
    return kelvartest::DocumentRow(id, std::move(name), fixtures::zlibSegments(document));
}

std::string ModuleName(Model model)
{
    return std::string("Print") + kelvartest::ModelName(model) + "CZE";
}

// The substitute modules, copied into folders of this test program, so that their record
// files are its own.
class PrintTest : public kelvartest::BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        for (const std::string& folder : {modules_, noErrorText_, empty_})
            support::MakeParentFolders(folder);  // makes the folder itself, whose path ends in a separator
        for (Model model : {Model::KX40, Model::KX60}) {
            const std::string dll = ModuleName(model) + ".dll";
            ASSERT_TRUE(CopyFileA((std::string(TABULON_PRINTMODULES_DIR) + dll).c_str(),
                                  (modules_ + dll).c_str(), FALSE));
        }
        ASSERT_TRUE(CopyFileA((std::string(TABULON_PRINTMODULES_NOERRTEXT_DIR) +
                               "PrintKX40CZE.dll").c_str(),
                              (noErrorText_ + "PrintKX40CZE.dll").c_str(), FALSE));
    }

    // The calls a module recorded, one line each.
    std::string Calls(Model model, const std::string& folder = std::string()) const
    {
        return ReadFile((folder.empty() ? modules_ : folder) + ModuleName(model) + ".calls.txt");
    }
    std::string Handed(Model model) const
    {
        return ReadFile(modules_ + ModuleName(model) + ".last.bin");
    }
    void FailWith(Model model, const std::string& text, const std::string& folder = std::string())
    {
        support::WriteFile((folder.empty() ? modules_ : folder) + ModuleName(model) + ".fail.txt", text);
    }

    static std::string Call(const std::string& path)
    {
        return path + "\t1\t1\t1\t0\t0\r\n";
    }

    // Lists every protocol of the current model and selects the first line.
    void SearchAndSelect(TfrmSearchMain& f)
    {
        RunSearch();
        ASSERT_GT(f.lvProtocols->Items->Count, 0);
        guitest::ClickLine(f.lvProtocols, 0);
        ASSERT_TRUE(f.lvProtocols->Items->Item[0]->Selected);
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
    Store(Model::KX40, {Row(1, name40, document_)});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(Call(ExportFolder() + name40 + ".xml"), Calls(Model::KX40));
    EXPECT_EQ(Sealed(document_), Handed(Model::KX40));
    EXPECT_TRUE(support::FileExists(modules_ + "PrintKX40CZE.printed.txt"));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, WithNoLineSelectedNothingIsPrinted)
{
    Store(Model::KX40, {Row(1, name40, document_)});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);
    guitest::ClickEmptySpace(window->lvProtocols);
    ASSERT_FALSE(window->lvProtocols->Items->Item[0]->Selected);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, AFailedPrintShowsTheModulesTextAndStillRemovesTheFile)
{
    // "Tiskárna není připojena."
    const std::string text = "Tisk\xE1rna nen\xED p\xF8ipojena.";
    FailWith(Model::KX40, text);
    Store(Model::KX40, {Row(1, name40, document_)});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Chyba", boxes[0].Caption);
    EXPECT_EQ(text, boxes[0].Text);
    EXPECT_EQ(BoxIcon::Stop, boxes[0].Icon);
    EXPECT_EQ(Call(ExportFolder() + name40 + ".xml"), Calls(Model::KX40));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, AModuleWithoutItsErrorTextGivesABoxWithoutText)
{
    FailWith(Model::KX40, "not shown", noErrorText_);
    Store(Model::KX40, {Row(1, name40, document_)});
    UsePrintModules(Model::KX40, noErrorText_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    ASSERT_NE(nullptr, TfrmSearchMainTestAccess::PrintProtocolKX40(*window));
    ASSERT_EQ(nullptr, TfrmSearchMainTestAccess::GetLastErrorMsgKX40(*window));
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Chyba", boxes[0].Caption);
    EXPECT_EQ("", boxes[0].Text);
    EXPECT_EQ(BoxIcon::Stop, boxes[0].Icon);
    EXPECT_EQ(Call(ExportFolder() + name40 + ".xml"), Calls(Model::KX40, noErrorText_));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, AMissingModuleIsReportedAndTheFileStays)
{
    Store(Model::KX40, {Row(1, name40, document_)});
    UsePrintModules(Model::KX40, empty_);
    UsePrintModules(Model::KX60, modules_);  // the other model's module is there
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Chyba", boxes[0].Caption);
    EXPECT_EQ(Ansi(u8"Nepodařilo se inicializovat tiskový modul."), boxes[0].Text);
    EXPECT_EQ(BoxIcon::Exclamation, boxes[0].Icon);
    EXPECT_EQ(Sealed(document_), ReadFile(ExportFolder() + name40 + ".xml"));
    EXPECT_EQ("", Calls(Model::KX60));
}

TEST_F(PrintTest, EachTabPrintsThroughItsOwnModelsModule)
{
    const std::string document60 = kelvartest::Document(3000, 60);
    Store(Model::KX40, {Row(1, name40, document_)});
    Store(Model::KX60, {Row(2, name60, document60)});
    UsePrintModules(Model::KX40, modules_);
    UsePrintModules(Model::KX60, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();

    SearchAndSelect(*window);
    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(Call(ExportFolder() + name40 + ".xml"), Calls(Model::KX40));
    EXPECT_EQ(Sealed(document_), Handed(Model::KX40));
    EXPECT_EQ("", Calls(Model::KX60));

    ASSERT_TRUE(guitest::PickTab(window->pcApplications, window->shtKX60));
    ASSERT_EQ(2, TfrmSearchMainTestAccess::currentModel(*window));
    SearchAndSelect(*window);
    ASSERT_TRUE(guitest::Click(window->btnPrint));
    EXPECT_EQ(Call(ExportFolder() + name60 + ".xml"), Calls(Model::KX60));
    EXPECT_EQ(Sealed(document60), Handed(Model::KX60));
    EXPECT_EQ(Call(ExportFolder() + name40 + ".xml"), Calls(Model::KX40));

    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, AProtocolThatCannotBeExportedIsReportedAndNotPrinted)
{
    Store(Model::KX40, {Row(1, std::string("..\\outside"), document_)});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Chyba", boxes[0].Caption);
    EXPECT_EQ(Ansi(u8"Nepodařilo se vytvořit soubor protokolu."), boxes[0].Text);
    EXPECT_EQ(BoxIcon::Exclamation, boxes[0].Icon);
    EXPECT_EQ("", Calls(Model::KX40));
}

TEST_F(PrintTest, ADatabaseErrorDuringTheExportReachesTheErrorBoxAndLeavesNoFile)
{
    fixtures::Protocol empty = Row(1, name40, "");  // a blob without segments
    Store(Model::KX40, {empty});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(std::string(Application->Title), boxes[0].Caption);
    EXPECT_EQ(std::string(ForeignExceptionText), boxes[0].Text);
    EXPECT_EQ(BoxIcon::Stop, boxes[0].Icon);
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}

TEST_F(PrintTest, ARowWithoutIdIsNotPrintedAsAnotherProtocol)
{
    // Listed with id 0, as is the row that really has ID 0: printing it must not hand that
    // other protocol to the printer.
    fixtures::Protocol withoutId = Row(0, name40, document_);
    withoutId.id.reset();
    Store(Model::KX40,
          {withoutId, Row(0, name60, kelvartest::Document(900, 0))});
    UsePrintModules(Model::KX40, modules_);
    guitest::BoxCatcher boxes;
    kelvartest::Window& window = Show();
    SearchAndSelect(*window);
    ASSERT_EQ(2, window->lvProtocols->Items->Count);

    ASSERT_TRUE(guitest::Click(window->btnPrint));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Chyba", boxes[0].Caption);
    EXPECT_EQ(Ansi(u8"Nepodařilo se vytvořit soubor protokolu."), boxes[0].Text);
    EXPECT_EQ(BoxIcon::Exclamation, boxes[0].Icon);
    EXPECT_EQ("", Calls(Model::KX40));
    EXPECT_TRUE(FolderEntries(ExportFolder()).empty());
}
