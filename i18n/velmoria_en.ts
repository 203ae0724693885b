<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Ceremony</name>
    <message numerus="yes">
        <source>貴方の働きは、
ご褒美が%1、
逃げ出した「食事」が%n、</source>
        <extracomment>the guide reads out the work: %1 the rewards, %n the meals that fled</extracomment>
        <translation>
            <numerusform>Your work, then...
Rewards: %1,
meals fled: %n...</numerusform>
            <numerusform>Your work, then...
Rewards: %1,
meals fled: %n...</numerusform>
        </translation>
    </message>
    <message>
        <source>これより…申し開きの儀式を開幕します…。</source>
        <extracomment>the guide</extracomment>
        <translation>And now... the Ceremony of Reckoning... shall begin...</translation>
    </message>
    <message>
        <source>以上を踏まえまして、主様よりお言葉がございます。</source>
        <extracomment>the guide</extracomment>
        <translation>With all that in mind, the Master will now say a few words.</translation>
    </message>
    <message>
        <source>お前すごいじゃん、完璧じゃん！</source>
        <extracomment>the Master</extracomment>
        <translation>Whoa, you&apos;re incredible! Flawless!</translation>
    </message>
    <message>
        <source>素晴らしいぞ！
お前のおかげで、余は開花できるやもしれぬ！</source>
        <extracomment>the Master</extracomment>
        <translation>Splendid!
Thanks to you, We may yet come into bloom!</translation>
    </message>
    <message>
        <source>主様…！</source>
        <extracomment>the guide, while the Master still shows</extracomment>
        <translation>Master...!</translation>
    </message>
    <message>
        <source>主様、もしや…
その時が来たのですか？</source>
        <extracomment>the guide</extracomment>
        <translation>Master, could it be...
that the time has come?</translation>
    </message>
    <message>
        <source>うむ、そのようじゃ。
しばし待て。</source>
        <extracomment>the Master</extracomment>
        <translation>Indeed, so it seems.
Wait but a moment.</translation>
    </message>
    <message>
        <source>主様っ！</source>
        <extracomment>the guide</extracomment>
        <translation>Master!</translation>
    </message>
    <message>
        <source>ま、眩しいっ…！</source>
        <extracomment>the guide</extracomment>
        <translation>S-so bright...!</translation>
    </message>
    <message>
        <source>ふぅ…</source>
        <extracomment>the Master, in bloom</extracomment>
        <translation>Haah...</translation>
    </message>
    <message>
        <source>主様…
とてもお美しくなられましたね。</source>
        <extracomment>the guide</extracomment>
        <translation>Master...
you have become so very beautiful.</translation>
    </message>
    <message>
        <source>どうじゃ、驚いたか？
まあ、そういうことじゃ。</source>
        <extracomment>the Master, in bloom</extracomment>
        <translation>Well? Astonished, are you?
Such is the way of things.</translation>
    </message>
    <message>
        <source>これからも引き続き、
「食事」たちの世話をよろしく頼むぞ。</source>
        <extracomment>the Master, in bloom</extracomment>
        <translation>See that you go on
tending Our meals as well as ever.</translation>
    </message>
    <message>
        <source>うむ、よくやった。
「食事」たちからの人気も悪くない。
余はお前が気に入ったぞ。</source>
        <extracomment>the Master</extracomment>
        <translation>Mm. Well done.
The meals think none too ill of you, either.
We are pleased with you.</translation>
    </message>
    <message>
        <source>この調子を保つがよい。
期待しておるぞ。</source>
        <extracomment>the Master</extracomment>
        <translation>See that you continue thus.
We expect great things.</translation>
    </message>
    <message>
        <source>これから長い付き合いになりそうじゃな。</source>
        <extracomment>the Master</extracomment>
        <translation>This promises to be a long association.</translation>
    </message>
    <message>
        <source>「食事」たちからの人気は最悪じゃが…</source>
        <extracomment>the Master</extracomment>
        <translation>The meals loathe you, to be sure...</translation>
    </message>
    <message>
        <source>所詮、我らは化け物よ。
人間どもに用などないわ。</source>
        <extracomment>the Master</extracomment>
        <translation>But we are monsters, after all.
What use have we for the goodwill of humans?</translation>
    </message>
    <message>
        <source>これからもお前を雇ってやろう。
その冷酷さも、余は気に入ったぞ。</source>
        <extracomment>the Master</extracomment>
        <translation>We shall keep you in Our service.
That cold heart of yours pleases Us too.</translation>
    </message>
    <message>
        <source>主様は、貴方をとても気に入られたようですね。</source>
        <extracomment>the guide</extracomment>
        <translation>The Master seems to have taken quite a liking to you.</translation>
    </message>
    <message>
        <source>ですが、主様のお気に入りだからといって、
だらしない働きをすれば…判っていますね？</source>
        <extracomment>the guide</extracomment>
        <translation>But favourite or not,
should your work grow slovenly... you understand, don&apos;t you?</translation>
    </message>
    <message>
        <source>その時は主様に代わって、
私が貴方をいただくかもしれませんよ？</source>
        <extracomment>the guide</extracomment>
        <translation>Then it may be I who dines on you,
in the Master&apos;s stead.</translation>
    </message>
    <message>
        <source>ふふふ…</source>
        <extracomment>the guide</extracomment>
        <translation>Hehehe...</translation>
    </message>
    <message>
        <source>これからも、共にお仕えしてまいりましょうね。</source>
        <extracomment>the guide</extracomment>
        <translation>Let us go on serving him together, shall we?</translation>
    </message>
    <message>
        <source>可もなく不可もなく、といったところか。</source>
        <extracomment>the Master</extracomment>
        <translation>Neither good nor bad, We should say.</translation>
    </message>
    <message>
        <source>「食事」たちからの評判も上々じゃ。
引き続き、お前を雇ってやろう。</source>
        <extracomment>the Master</extracomment>
        <translation>And the meals speak highly of you.
We shall keep you on.</translation>
    </message>
    <message>
        <source>まあまあじゃな。</source>
        <extracomment>the Master</extracomment>
        <translation>Passable.</translation>
    </message>
    <message>
        <source>「食事」たちからの評判は悪いようじゃが、
どうせ我らは人間に嫌われる身じゃ。</source>
        <extracomment>the Master</extracomment>
        <translation>The meals speak ill of you, it seems,
but humans loathe our kind whatever we do.</translation>
    </message>
    <message>
        <source>これからの働きに期待して、
引き続き、お前を雇ってやろう。</source>
        <extracomment>the Master</extracomment>
        <translation>In hope of better work to come,
We shall keep you on.</translation>
    </message>
    <message>
        <source>また一緒にお仕事ができて嬉しいです。
ですが、気を抜いてはいけませんよ。</source>
        <extracomment>the guide</extracomment>
        <translation>I&apos;m so glad we can go on working together.
But you mustn&apos;t let your guard down.</translation>
    </message>
    <message>
        <source>少しでも怠けようものなら、すぐに…</source>
        <extracomment>the guide</extracomment>
        <translation>Should you idle even a little, then at once...</translation>
    </message>
    <message>
        <source>食べられてしまいますからね。</source>
        <extracomment>the guide</extracomment>
        <translation>...you will be eaten, you know.</translation>
    </message>
    <message>
        <source>うふふ…</source>
        <extracomment>the guide</extracomment>
        <translation>Ufufu...</translation>
    </message>
    <message>
        <source>「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。</source>
        <extracomment>the Master</extracomment>
        <translation>This is what comes of pampering the meals day in, day out.</translation>
    </message>
    <message>
        <source>お前は甘すぎる。
失格</source>
        <extracomment>the Master</extracomment>
        <translation>You are far too soft.
Disqualified.</translation>
    </message>
    <message>
        <source>お前はまるで駄目じゃな。</source>
        <extracomment>the Master</extracomment>
        <translation>You are utterly useless.</translation>
    </message>
    <message>
        <source>貴様を喰らってくれるわ！</source>
        <extracomment>the Master</extracomment>
        <translation>Then We shall devour you!</translation>
    </message>
    <message>
        <source>がぶっ…むしゃむしゃ…</source>
        <extracomment>the Master eating the player</extracomment>
        <translation>CHOMP... munch, munch...</translation>
    </message>
    <message>
        <source>はぁ…また一人、食べられてしまいましたね。</source>
        <extracomment>the guide</extracomment>
        <translation>Sigh... and so another one has been eaten.</translation>
    </message>
    <message>
        <source>エンＤ</source>
        <extracomment>the notice that the game is over</extracomment>
        <translation>The EnD</translation>
    </message>
</context>
<context>
    <name>Dismissal</name>
    <message>
        <source>仕方のない人…こんなに逃がしてしまうなんて…</source>
        <translation>Hopeless, aren&apos;t you... letting so many of them get away...</translation>
    </message>
    <message>
        <source>こうなってしまっては、貴方はもうおしまいですね。</source>
        <translation>Now that it has come to this, you are finished.</translation>
    </message>
    <message>
        <source>くすっ
首ですめばいいけどね…

主様は、それはもう大層お怒りですよ。</source>
        <translation>Hehe.
Let&apos;s hope the Master only takes your job, and not your head...

He is very angry indeed, you see.</translation>
    </message>
    <message>
        <source>うふふふふふ…</source>
        <translation>Ufufufufufu...</translation>
    </message>
</context>
<context>
    <name>Flight, meal 1</name>
    <message>
        <source>悪いが、俺は降りさせてもらう。
もう二度と会わないだろうな</source>
        <translation>Sorry, but I&apos;m out.
Guess we won&apos;t be seein&apos; each other again.</translation>
    </message>
</context>
<context>
    <name>Flight, meal 2</name>
    <message>
        <source>もう耐えられないよ！
僕がいてもいなくても、同じだろ！</source>
        <translation>I can&apos;t take it any more!
It makes no difference whether I&apos;m here or not!</translation>
    </message>
    <message>
        <source>僕は出ていく！！
探したって無駄だからな！</source>
        <translation>I&apos;m leaving!!
And don&apos;t bother looking for me!</translation>
    </message>
</context>
<context>
    <name>Flight, meal 3</name>
    <message>
        <source>もう、これ以上は耐えられません。
…探さないで下さい………</source>
        <translation>I cannot bear it any longer.
...Please do not look for me...</translation>
    </message>
</context>
<context>
    <name>Flight, meal 4</name>
    <message>
        <source>こんな扱いされるために来たんじゃないしー！</source>
        <translation>I did NOT come here to get treated like this!</translation>
    </message>
    <message>
        <source>さよなら
もう二度と顔も見たくなーい！</source>
        <translation>Bye.
Never wanna see your face again, like, ever!</translation>
    </message>
</context>
<context>
    <name>Flight, meal 5</name>
    <message>
        <source>あたくし、切れちゃいましたわ</source>
        <translation>I do believe I have quite snapped.</translation>
    </message>
    <message>
        <source>失礼ながら、あたくしはここで降りますわ。
もう二度とお会いしないといいですわね。</source>
        <translation>Forgive me, but this is where I take my leave.
I do hope we never meet again.</translation>
    </message>
</context>
<context>
    <name>Flight, meal 6</name>
    <message>
        <source>…すいません…</source>
        <translation>...I&apos;m sorry...</translation>
    </message>
    <message>
        <source>…自分には…とても務まりません…</source>
        <translation>...I&apos;m just... not up to this...</translation>
    </message>
    <message>
        <source>…出ていった方が…皆さんのためです…</source>
        <translation>...It&apos;s better for everyone... if I go...</translation>
    </message>
    <message>
        <source>…すいません…
さようなら</source>
        <translation>...I&apos;m sorry...
Goodbye.</translation>
    </message>
</context>
<context>
    <name>Flight, meal 7</name>
    <message>
        <source>私には、荷が重すぎたようです。</source>
        <translation>It seems this burden was too heavy for me.</translation>
    </message>
    <message>
        <source>遑を告げさせて下さい、
これ以上、此処に留まることは叶いません。</source>
        <translation>Permit me to take my leave;
I can remain here no longer.</translation>
    </message>
</context>
<context>
    <name>Fom</name>
    <message>
        <source>ヴェルモリア
バージョン %1</source>
        <translation>Velmoria
Version %1</translation>
    </message>
    <message>
        <source>ヴェルモリア</source>
        <translation>Velmoria</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>一時停止中</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>P キーで再開</source>
        <translation>Press P to resume</translation>
    </message>
    <message>
        <source>働き</source>
        <translation>Work</translation>
    </message>
    <message>
        <source>週</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>日にち</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>— クリックで始める —</source>
        <translation>— Click to begin —</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>軽い</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>重い</source>
        <translation>Heavy</translation>
    </message>
    <message>
        <source>激重</source>
        <translation>Crushing</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Velmoria</translation>
    </message>
    <message>
        <source>言語 (Language)</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>ご褒美</source>
        <translation>Rewards</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
</context>
<context>
    <name>Introduction</name>
    <message>
        <source>ようこそおいで下さいました。
ここが、主様のお屋敷でございます。</source>
        <translation>Welcome. How good of you to come.
This is the Master&apos;s mansion.</translation>
    </message>
    <message>
        <source>貴方が新しい飼育係の方ですね。
いいえ、お名前はお尋ねしません。
その必要はございませんから。</source>
        <translation>You must be the new keeper.
No, I shan&apos;t ask your name.
There is no need, you see.</translation>
    </message>
    <message>
        <source>それよりも…
此処での日々への説明はお受けしましたか…？</source>
        <translation>More to the point...
have you been told how your days here will go...?</translation>
    </message>
    <message>
        <source>あらあら…
それでは、私からご説明いたしましょう。</source>
        <translation>Oh dear, oh dear...
Then allow me to explain.</translation>
    </message>
    <message>
        <source>簡単に申し上げますと、
貴方が此処にいらしたのは、
主様の「食事」を育てるためです。</source>
        <translation>To put it simply,
you are here
to raise the Master&apos;s &quot;meals&quot;.</translation>
    </message>
    <message>
        <source>主様は週に一度、週末に召し上がる「食事」をお選びになります。
その者を、主様のお好みに育てて下さい。</source>
        <translation>Once a week, the Master chooses the meal
he will take at the week&apos;s end.
You are to raise that one to his taste.</translation>
    </message>
    <message>
        <source>つまり、その「食事」の血を綺麗にするお仕事です。</source>
        <translation>Your work, in short, is to make that meal&apos;s blood clean.</translation>
    </message>
    <message>
        <source>やり方は簡単です。「食事」の顔をクリックすれば、
その者の血が洗礼され、浄められます。</source>
        <translation>It is simple. Click on a meal&apos;s face,
and their blood will be cleansed and purified.</translation>
    </message>
    <message>
        <source>貴方にはその力がおありのはず。
だからこそ、此処へいらしたのでしょう？</source>
        <translation>You do have that power, I believe.
Is that not why you came?</translation>
    </message>
    <message>
        <source>ですが、彼らの血は時が経つにつれて濁っていきます。
ですので、何度も洗礼してあげて下さいね。</source>
        <translation>But their blood grows cloudy as time goes by,
so do purify them again and again.</translation>
    </message>
    <message>
        <source>決して怠ってはいけませんよ。
さもないと、血はすっかり穢れてしまいます。</source>
        <translation>You must never neglect it.
Otherwise the blood will be utterly defiled.</translation>
    </message>
    <message>
        <source>ご注意を。「食事」にも感情がございます。</source>
        <translation>Do be careful. The meals have feelings too.</translation>
    </message>
    <message>
        <source>劣等感、とでも申しましょうか。
他の者が優れていると気に病みますし、
洗礼を怠れば、自信をどんどん失っていきます。</source>
        <translation>A sense of inferiority, one might call it.
They brood when the others outshine them,
and when you neglect to purify them,
their confidence drains away.</translation>
    </message>
    <message>
        <source>自信をすっかり失くした者は、城から逃げ出してしまいました。
貴方の前任の方も、「食事」に逃げられて
首になってしまったのですよ。</source>
        <translation>Those who lost all their confidence fled the castle.
Your predecessor let meals slip away, too,
and was dismissed for it.</translation>
    </message>
    <message>
        <source>くれぐれもお気をつけ下さいね。</source>
        <translation>Do take every care.</translation>
    </message>
    <message>
        <source>ちなみに、育成画面のグラフですが、
薄い色の棒（左）が自信、
濃い色の棒（右）が血の清らかさで、長いほど綺麗な血です。</source>
        <translation>By the way, on the raising screen&apos;s graph
the light bar (left) is confidence
and the dark bar (right) is blood purity:
the longer, the cleaner the blood.</translation>
    </message>
    <message>
        <source>そして一月後の五週目には、
主様が貴方の働きをお裁きになる儀式がございます。</source>
        <translation>And a month from now, in the fifth week,
there is a ceremony at which the Master will judge your work.</translation>
    </message>
    <message>
        <source>そこで不合格となった時には…ふふ。</source>
        <translation>Should you fail it there... hehe.</translation>
    </message>
    <message>
        <source>では、こちらへどうぞ。</source>
        <translation>Now, this way, please.</translation>
    </message>
    <message>
        <source>お部屋へご案内いたします。</source>
        <translation>I shall show you to your room.</translation>
    </message>
    <message>
        <source>………</source>
        <translation>...</translation>
    </message>
    <message>
        <source>こちらです。
明日から早速、お仕事に取り掛かっていただくことになるでしょう。</source>
        <translation>Here we are.
You will no doubt be starting work first thing tomorrow.</translation>
    </message>
    <message>
        <source>今夜はごゆっくりお休み下さい</source>
        <translation>Do rest well tonight.</translation>
    </message>
</context>
<context>
    <name>Kiroku</name>
    <message>
        <source>開花</source>
        <translation>Bloom</translation>
    </message>
    <message>
        <source>お気に入り</source>
        <translation>Favourite</translation>
    </message>
    <message>
        <source>冷酷</source>
        <translation>Cold-Hearted</translation>
    </message>
    <message>
        <source>上々の評判</source>
        <translation>Highly Regarded</translation>
    </message>
    <message>
        <source>悪い評判</source>
        <translation>Ill Regarded</translation>
    </message>
    <message>
        <source>甘すぎる</source>
        <translation>Too Soft</translation>
    </message>
    <message>
        <source>まるで駄目</source>
        <translation>Utterly Useless</translation>
    </message>
    <message>
        <source>解雇</source>
        <translation>Dismissed</translation>
    </message>
    <message>
        <source>結末の記録が壊れていて、写しも作れません。記録は書き込みません</source>
        <translation>the record of endings is damaged and no copy of it can be made; nothing will be written to it</translation>
    </message>
    <message>
        <source>結末の記録が壊れています。読めた結末だけを残し、元のファイルは写しに残しました</source>
        <translation>the record of endings is damaged; the readable endings are kept, and the original file has been copied to</translation>
    </message>
    <message>
        <source>結末の記録を読めません</source>
        <translation>cannot read the record of endings</translation>
    </message>
    <message>
        <source>結末の記録の %1 が読めません。その結末は未到達とします</source>
        <translation>cannot read %1 in the record of endings; assuming that ending was not reached</translation>
    </message>
    <message>
        <source>結末の記録の games が読めません。0 回とします</source>
        <translation>cannot read games in the record of endings; assuming 0</translation>
    </message>
    <message>
        <source>結末の記録を書き込めません</source>
        <translation>cannot write the record of endings</translation>
    </message>
    <message>
        <source>？？？</source>
        <translation>???</translation>
    </message>
    <message>
        <source>迎えた結末&#x3000;%1／%2</source>
        <translation>Endings reached: %1 of %2</translation>
    </message>
    <message>
        <source>終えたゲーム&#x3000;%1回</source>
        <translation>Games finished: %1</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 1</name>
    <message>
        <source>最近、思うようになったんだ。
ここの暮らしも、案外捨てたもんじゃないってな。</source>
        <translation>Lately I&apos;ve started to think
life here ain&apos;t so bad after all.</translation>
    </message>
    <message>
        <source>こうして求められるってのも…</source>
        <translation>Being wanted like this, too...</translation>
    </message>
    <message>
        <source>悪くないな</source>
        <translation>Not bad at all.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 2</name>
    <message>
        <source>最初は、ほんとに嫌だったんだ。</source>
        <translation>At first I really, really hated it.</translation>
    </message>
    <message>
        <source>なんて言うか…僕さ、</source>
        <translation>How do I put it... for me,</translation>
    </message>
    <message>
        <source>今はもう、別に嫌じゃないんだ。
ここにいることも…</source>
        <translation>I don&apos;t mind any more.
Being here...</translation>
    </message>
    <message>
        <source>君のことも</source>
        <translation>...or you.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 3</name>
    <message>
        <source>ここに来てから、私、
生まれて初めて…</source>
        <translation>Since I came here,
for the first time in my life...</translation>
    </message>
    <message>
        <source>生きがいというものが
どういうものなのか、
判りました。</source>
        <translation>I have come to understand
what it means
to have something to live for.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 4</name>
    <message>
        <source>はぁい、げんきしてる？</source>
        <translation>Heyyy! How ya doin&apos;?</translation>
    </message>
    <message>
        <source>最初はねー、ツイてないなぁって思ってたんだ。
でも最近、考え方が変わってきたんだよねぇ。</source>
        <translation>At first I was all, ugh, just my luck.
But lately I&apos;ve kinda changed my mind, y&apos;know?</translation>
    </message>
    <message>
        <source>こーんなに必死に
必要とされちゃうとさぁ…</source>
        <translation>When somebody needs you
sooo desperately...</translation>
    </message>
    <message>
        <source>正直、気分いいじゃん？</source>
        <translation>Honestly? It feels kinda great.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 5</name>
    <message>
        <source>ここにいると、しみじみ感じますわ…</source>
        <translation>Being here, I feel it so very keenly...</translation>
    </message>
    <message>
        <source>あたくしのような者でも、
必要とされることがあるのですわね。</source>
        <translation>that even one such as I
may be needed after all.</translation>
    </message>
    <message>
        <source>ふふ</source>
        <translation>Fufu.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 6</name>
    <message>
        <source>…なんだか…不思議です…</source>
        <translation>...Somehow... it&apos;s strange...</translation>
    </message>
    <message>
        <source>…幸せ、なんです…</source>
        <translation>...I&apos;m... happy...</translation>
    </message>
    <message>
        <source>こんな状況でも…幸せ。</source>
        <translation>Even like this... happy.</translation>
    </message>
</context>
<context>
    <name>Monologue, meal 7</name>
    <message>
        <source>貴方は、今の私を不幸だとお思いでしょうか。</source>
        <translation>Do you suppose I am unhappy, as I am now?</translation>
    </message>
    <message>
        <source>ふふふ…</source>
        <translation>Fufufu...</translation>
    </message>
    <message>
        <source>不思議なものですね。
貴方のおかげでしょうか、求められていると思えば、
不幸だなどとは思わないのです。</source>
        <translation>It is a strange thing.
Perhaps it is thanks to you: when I think that I am wanted,
I cannot call myself unhappy.</translation>
    </message>
    <message>
        <source>ちっとも…</source>
        <translation>Not in the least...</translation>
    </message>
</context>
<context>
    <name>Morning notice</name>
    <message>
        <source>朝になりました…</source>
        <translation>Morning has come...</translation>
    </message>
    <message>
        <source>主様の御所望なさる「食事」に
印を付けておきました
その「食事」をメインに洗礼して下さい</source>
        <translation>I have put a mark on the &quot;meal&quot;
the Master wishes for.
Please purify that meal first and foremost.</translation>
    </message>
</context>
<context>
    <name>Weekly meal</name>
    <message>
        <source>主様の、お食事ぃいいいいい</source>
        <extracomment>the guide</extracomment>
        <translation>The Master&apos;s meeeeeeal!</translation>
    </message>
    <message>
        <source>うむ・・・うまい
なかなか良い味じゃ。</source>
        <extracomment>the Master</extracomment>
        <translation>Mm... delicious.
A fine flavour indeed.</translation>
    </message>
    <message>
        <source>ふむ、まあまあといったところじゃな。</source>
        <extracomment>the Master</extracomment>
        <translation>Hmm. Middling, We should say.</translation>
    </message>
    <message>
        <source>うぐっ…！
ま・まずい！！
こんなものを余に飲ませるとは、この愚か者め！</source>
        <extracomment>the Master</extracomment>
        <translation>Ugh...!
F-foul!!
You dare serve Us such swill, you fool!</translation>
    </message>
    <message>
        <source>む…？余の「食事」がおらぬではないか。
貴様っ！
さては逃がしおったな！
ならば代わりに、貴様の血を吸ってくれるわ！</source>
        <extracomment>the Master</extracomment>
        <translation>Hm...? Our meal is nowhere to be seen.
You!
You let it escape, did you not!
Then We shall drink YOUR blood instead!</translation>
    </message>
    <message>
        <source>ずずずずず…</source>
        <extracomment>the Master</extracomment>
        <translation>Slurrrrrp...</translation>
    </message>
    <message>
        <source>まずうぅぅぅぅぅいいいっ！！</source>
        <extracomment>the Master</extracomment>
        <translation>FOOOOOOUUUL!!</translation>
    </message>
</context>
<context>
    <name>a11y</name>
    <message>
        <source>自信 %1、血の清らかさ %2、主様の御所望</source>
        <translation>confidence %1, blood purity %2, the Master&apos;s wish</translation>
    </message>
    <message>
        <source>自信 %1、血の清らかさ %2</source>
        <translation>confidence %1, blood purity %2</translation>
    </message>
    <message>
        <source>食事 %1</source>
        <translation>Meal %1</translation>
    </message>
    <message>
        <source>自信</source>
        <translation>Confidence</translation>
    </message>
    <message>
        <source>血の清らかさ</source>
        <translation>Blood purity</translation>
    </message>
    <message>
        <source>一時停止中、P キーで再開</source>
        <translation>Paused. Press P to resume.</translation>
    </message>
    <message>
        <source>一時停止中</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>案内役</source>
        <translation>The guide</translation>
    </message>
    <message>
        <source>主様</source>
        <translation>The Master</translation>
    </message>
    <message>
        <source>開花した主様</source>
        <translation>The Master, in bloom</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>DISPLAY も WAYLAND_DISPLAY もありません</source>
        <translation>no DISPLAY or WAYLAND_DISPLAY set</translation>
    </message>
    <message>
        <source>ディスプレイを開けません（%1）。デスクトップのセッションで起動して下さい</source>
        <translation>cannot open display (%1); start the game in a desktop session</translation>
    </message>
</context>
<context>
    <name>tk</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>画像を読み込めません: %1
(%2)</source>
        <translation>Cannot load image: %1
(%2)</translation>
    </message>
    <message>
        <source>添字が範囲外です: %1(%2)</source>
        <translation>Index out of range: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>tk::bmp</name>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>cannot read the file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>ビットマップ形式ではありません</source>
        <translation>not a bitmap</translation>
    </message>
    <message>
        <source>ビットマップのヘッダが壊れているか、対応していない形式です</source>
        <translation>bitmap header damaged or in an unsupported format</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>file truncated</translation>
    </message>
</context>
</TS>
