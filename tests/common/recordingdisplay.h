// A display that records what the radio core asks it to show, for tests.
#pragma once

#include "core/radio/radiodisplay.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class RecordingDisplay : public NullDisplay
{
public:
    void setLabel(RadioView::Label label, const QString &text) override
    {
        labels[label] = text;
        events << QStringLiteral("label %1=%2").arg(int(label)).arg(text);
    }
    void setSlider(RadioView::Slider slider, int value) override { sliders[slider] = value; }
    void selectOption(RadioView::Option option) override { options << option; }
    void setFilterText(RadioView::FilterList list, const QString &text) override
    {
        filterTexts[list] = text;
    }
    void setSMeter(int value) override { sMeter = value; }
    void setFrequencyCaptions(const QString &text) override { captions = text; }
    void showProgress(const QString &message, bool bar, bool percent) override
    {
        progressOpen = true;
        progressMessage = message;
        progressBar = bar;
        progressPercentVisible = percent;
        ++progressShows;
    }
    void setProgressPercent(const QString &text) override { progressPercent = text; }
    void closeProgress() override
    {
        progressOpen = false;
        ++progressCloses;
    }
    void memoryStep(bool up) override { steps << up; }
    void memoryDownload(const QString &reply) override { downloads << reply; }
    int serialError(const QString &text) override
    {
        errors << text;
        return errorAnswer;
    }
    void portProblem(const QString &text) override { problems << text; }
    void showLink(RadioView::Link link, const QString &text) override
    {
        links << link;
        linkTexts << text;
    }

    QString label(RadioView::Label l) const { return labels.value(l, QStringLiteral("<unset>")); }

    QMap<RadioView::Label, QString> labels;
    QMap<RadioView::Slider, int> sliders;
    QList<RadioView::Option> options;
    QMap<RadioView::FilterList, QString> filterTexts;
    int sMeter = -1;
    QString captions;
    bool progressOpen = false;
    QString progressMessage;
    bool progressBar = true;
    bool progressPercentVisible = true;
    int progressShows = 0;
    int progressCloses = 0;
    QString progressPercent;
    QList<bool> steps;
    QStringList downloads;
    QStringList errors;
    QStringList problems;
    QStringList events;
    QList<RadioView::Link> links;
    QStringList linkTexts;
    int errorAnswer = 1;
};
