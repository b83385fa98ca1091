// Modal questions answered from a script, for tests. While an object lives
// it is the service in use; it records every question asked. A question
// nobody scripted throws an Exception naming it, so a test never blocks.
#pragma once

#include "CommonDialogs.h"

#include <deque>
#include <functional>
#include <vector>

class TScriptedCommonDialogs : public ICommonDialogs {
public:
    // Acts on a shown form the way a user would (fills its controls, clicks
    // its buttons); the form's result after that is the answer.
    using TFormScript = std::function<void(QDialog &)>;

    TScriptedCommonDialogs();
    ~TScriptedCommonDialogs() override;
    TScriptedCommonDialogs(const TScriptedCommonDialogs &) = delete;
    TScriptedCommonDialogs &operator=(const TScriptedCommonDialogs &) = delete;

    // Each queues the answer to the next question of its kind; nothing
    // stands for Cancel.
    void AnswerFile(std::optional<QString> fileName) { FFiles.push_back(std::move(fileName)); }
    void AnswerFolder(std::optional<QString> folder) { FFolders.push_back(std::move(folder)); }
    void AnswerColour(std::optional<uint32_t> colour) { FColours.push_back(colour); }
    void AnswerFont(std::optional<TFontChoice> font) { FFonts.push_back(std::move(font)); }
    void AnswerForm(TFormScript script) { FForms.push_back(std::move(script)); }

    std::optional<QString> FileName(const TFileRequest &request) override;
    std::optional<QString> FolderName(const QString &title, const QString &initialDir) override;
    std::optional<uint32_t> Colour(uint32_t initial) override;
    std::optional<TFontChoice> Font(const TFontChoice &initial) override;
    // Shows the form without a modal loop, runs the next script on it, hides
    // it again and returns its result (Rejected unless the script accepted).
    int Exec(QDialog &dialog) override;

    const std::vector<TFileRequest> &FileRequests() const { return FFileRequests; }
    // The object names of the forms shown, in order.
    const std::vector<QString> &FormsShown() const { return FFormsShown; }
    bool AllAnswered() const;

private:
    ICommonDialogs *FPrevious;
    std::deque<std::optional<QString>> FFiles;
    std::deque<std::optional<QString>> FFolders;
    std::deque<std::optional<uint32_t>> FColours;
    std::deque<std::optional<TFontChoice>> FFonts;
    std::deque<TFormScript> FForms;
    std::vector<TFileRequest> FFileRequests;
    std::vector<QString> FFormsShown;
};
